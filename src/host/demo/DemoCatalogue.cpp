#include "host/demo/DemoCatalogue.h"

namespace demo {

namespace {

using Names = const char* const[];

constexpr Names kGramos = {"250 G", "500 G", "1 KG", "400 G"};
constexpr Names kLitros = {"1 L", "1,5 L", "2 L", "PACK 6X1 L"};
constexpr Names kBotella = {"75 CL", "1 L", "PACK 6X33 CL", "50 CL"};
constexpr Names kLata = {"LATA 120 G", "PACK 3X80 G", "TARRO 400 G", "LATA 1 KG"};
constexpr Names kUnidad = {"UNIDAD", "PACK 2", "PACK 4", "CAJA 12"};
constexpr Names kMililitros = {"250 ML", "400 ML", "750 ML", "1 L"};
constexpr Names kPeso = {"BANDEJA 500 G", "AL PESO KG", "BANDEJA 1 KG", "MALLA 2 KG"};

constexpr Names kConservas
    = {"ATÚN EN ACEITE", "SARDINAS", "TOMATE TRITURADO", "PIMIENTOS DEL PIQUILLO"};
constexpr Names kPastas = {"ESPAGUETIS", "MACARRONES", "ARROZ REDONDO", "ÑOQUIS", "LENTEJAS"};
constexpr Names kAceites
    = {"ACEITE DE OLIVA VIRGEN EXTRA", "ACEITE DE GIRASOL", "VINAGRE DE JEREZ"};
constexpr Names kDesayuno = {"GALLETAS MARÍA", "CACAO SOLUBLE", "CAFÉ MOLIDO", "CEREALES"};
constexpr Names kDulces = {"CHOCOLATE CON LECHE", "TURRÓN DE JIJONA", "MAGDALENAS", "PIÑONES"};
constexpr Names kAguas = {"AGUA MINERAL", "AGUA CON GAS"};
constexpr Names kRefrescos = {"REFRESCO DE COLA", "REFRESCO DE NARANJA", "GASEOSA", "TÓNICA"};
constexpr Names kVinos = {"VINO TINTO CRIANZA", "VINO BLANCO VERDEJO", "CAVA BRUT", "SIDRA"};
constexpr Names kCervezas = {"CERVEZA", "CERVEZA SIN ALCOHOL", "CERVEZA TOSTADA"};
constexpr Names kLimpieza = {"LEJÍA", "FRIEGASUELOS", "LIMPIACRISTALES", "LAVAVAJILLAS"};
constexpr Names kRopa = {"DETERGENTE LÍQUIDO", "SUAVIZANTE", "QUITAMANCHAS"};
constexpr Names kPapel = {"PAPEL HIGIÉNICO", "ROLLO DE COCINA", "SERVILLETAS"};
constexpr Names kHigiene = {"GEL DE BAÑO", "CHAMPÚ", "DESODORANTE", "PASTA DE DIENTES"};
constexpr Names kCosmetica = {"CREMA HIDRATANTE", "LECHE CORPORAL", "COLONIA FRESCA"};
constexpr Names kBebe = {"PAÑALES", "TOALLITAS", "POTITO DE FRUTAS"};
constexpr Names kFrutas = {"MANZANA GOLDEN", "NARANJA DE ZUMO", "PLÁTANO DE CANARIAS", "PERA"};
constexpr Names kVerduras = {"TOMATE PERA", "LECHUGA", "CEBOLLA", "PATATA", "CALABACÍN"};
constexpr Names kCarnes = {"FILETE DE TERNERA", "PECHUGA DE POLLO", "CHULETA DE CERDO"};
constexpr Names kLacteos
    = {"LECHE ENTERA", "LECHE SEMIDESNATADA", "YOGUR NATURAL", "QUESO MANCHEGO"};
constexpr Names kPanaderia = {"PAN DE MOLDE", "BARRA RÚSTICA", "CRUASÁN", "ENSAIMADA"};
constexpr Names kPescados = {"MERLUZA", "SALMÓN", "GAMBA", "CALAMAR"};
constexpr Names kVerdCong = {"GUISANTES", "JUDÍAS VERDES", "MENESTRA", "ESPINACAS"};
constexpr Names kPrecocinados = {"PIZZA BARBACOA", "CROQUETAS DE JAMÓN", "LASAÑA", "EMPANADILLAS"};
constexpr Names kHelados = {"HELADO DE VAINILLA", "POLO DE LIMÓN", "TARTA HELADA"};
constexpr Names kCocina = {"SARTÉN 24 CM", "CAZO 16 CM", "JUEGO DE CUCHILLOS", "TÁPER"};
constexpr Names kHogar = {"BOMBILLA LED", "PILAS ALCALINAS", "VELA AROMÁTICA"};
constexpr Names kPerros = {"PIENSO PARA PERRO", "SNACK DENTAL", "LATA PARA PERRO"};
constexpr Names kGatos = {"PIENSO PARA GATO", "ARENA AGLOMERANTE", "SOBRE PARA GATO"};

constexpr DemoSubfamily kAlimentacion[] = {
    {"Conservas", kConservas, kLata},
    {"Pastas, arroces y legumbres", kPastas, kGramos},
    {"Aceites y vinagres", kAceites, kLitros},
    {"Desayuno", kDesayuno, kGramos},
    {"Dulces y frutos secos", kDulces, kGramos},
};
constexpr DemoSubfamily kBebidas[] = {
    {"Aguas", kAguas, kLitros},
    {"Refrescos", kRefrescos, kBotella},
    {"Vinos y cavas", kVinos, kBotella},
    {"Cervezas", kCervezas, kBotella},
};
constexpr DemoSubfamily kDrogueria[] = {
    {"Limpieza del hogar", kLimpieza, kLitros},
    {"Cuidado de la ropa", kRopa, kLitros},
    {"Papel y celulosa", kPapel, kUnidad},
};
constexpr DemoSubfamily kPerfumeria[] = {
    {"Higiene personal", kHigiene, kMililitros},
    {"Cosmética", kCosmetica, kMililitros},
    {"Bebé", kBebe, kUnidad},
};
constexpr DemoSubfamily kFrescos[] = {
    {"Frutas", kFrutas, kPeso},
    {"Verduras y hortalizas", kVerduras, kPeso},
    {"Carnicería", kCarnes, kPeso},
    {"Lácteos", kLacteos, kLitros},
    {"Panadería", kPanaderia, kUnidad},
};
constexpr DemoSubfamily kCongelados[] = {
    {"Pescados y mariscos", kPescados, kGramos},
    {"Verduras congeladas", kVerdCong, kGramos},
    {"Precocinados", kPrecocinados, kGramos},
    {"Helados", kHelados, kUnidad},
};
constexpr DemoSubfamily kBazar[] = {
    {"Menaje de cocina", kCocina, kUnidad},
    {"Hogar y electricidad", kHogar, kUnidad},
};
constexpr DemoSubfamily kMascotas[] = {
    {"Perros", kPerros, kGramos},
    {"Gatos", kGatos, kGramos},
};

constexpr DemoFamily kFamilies[] = {
    {"Alimentación", 'A', kAlimentacion},
    {"Bebidas", 'B', kBebidas},
    {"Droguería", 'C', kDrogueria},
    {"Perfumería e higiene", 'D', kPerfumeria},
    {"Frescos", 'E', kFrescos},
    {"Congelados", 'F', kCongelados},
    {"Bazar", 'G', kBazar},
    {"Mascotas", 'H', kMascotas},
};

constexpr Names kThirdLevels = {"Básico", "Selección", "Ecológico", "Sin gluten", "Gran formato"};

constexpr Names kBrands = {
    "Norvex",
    "La Huerta de Ñuño",
    "Campoverde",
    "Sierra Alta",
    "Doña Carmen",
    "Mar Cantábrico",
    "El Molino",
    "Lácteos del Norte",
    "Casa Peñalver",
    "Brisa",
    "Aurora",
    "Delfín",
    "Olivar de Jaén",
    "Valle Verde",
    "Castillo",
    "Los Álamos",
    "Sol de Levante",
    "Montaña Azul",
    "Granja Robles",
    "Marina",
    "Pétalo",
    "Limpiol",
    "Blancura",
    "Fiel",
    "Gatuno",
    "Ébano",
    "Nieve",
    "Trigo de Oro",
};

constexpr Names kSuppliers = {
    "Distribuciones Ibéricas, S.A.",
    "Conservas del Cantábrico, S.L.",
    "Lácteos Asturianos, S.A.",
    "Bodegas Peñafiel, S.L.",
    "Aguas de Sierra Alta, S.A.",
    "Químicas Limpiol, S.A.",
    "Cosmética Pétalo, S.L.",
    "Hortofrutícola del Segura, S.C.",
    "Cárnicas Robles, S.L.",
    "Panificadora Trigo de Oro, S.L.",
    "Congelados Marina, S.A.",
    "Menaje Castillo, S.L.",
    "Piensos Fiel, S.A.",
    "Almacenes Ébano, S.A.",
    "Cafés y Cacaos Aurora, S.L.",
};

constexpr Names kTowns = {
    "Salamanca",
    "Valladolid",
    "León",
    "Burgos",
    "Zamora",
    "Ávila",
    "Segovia",
    "Soria",
    "Palencia",
    "Logroño",
    "Cáceres",
    "Badajoz",
    "Toledo",
    "Cuenca",
    "Guadalajara",
    "Ciudad Real",
    "Albacete",
    "Teruel",
    "Huesca",
    "Zaragoza",
    "Pamplona",
    "Vitoria",
    "Oviedo",
    "Santander",
    "Lugo",
    "Ourense",
    "Pontevedra",
    "A Coruña",
    "Jaén",
    "Córdoba",
};

// Cod_Campo is the position here, from 1. The viewer cannot work without the bar code (1), the
// article code (3) and the units or boxes to order (7): both default layouts show them.
constexpr DemoColumn kColumns[] = {
    {"CodBarras", "EAN", true, true},
    {"Descripcion", "Descripción", true, true},
    {"Codigo", "Código de artículo", true, true},
    {"Familia", "Familia", true, false},
    {"Marca", "Marca", false, true},
    {"Stock", "Stock", true, true},
    {"UdsPedir", "Unidades/cajas a pedir", true, true},
    {"Subfamilia", "Subfamilia", false, false},
    {"Proveedor", "Proveedor", false, true},
    {"Ubicacion", "Ubicación", true, false},
    {"StockCentral", "Stock central", true, false},
    {"StockReservado", "Stock reservado", false, false},
    {"Pendiente", "Pendiente", true, true},
    {"PendienteRecibir", "Pendiente de recibir", false, true},
    {"UxCaja", "UxCaja", true, true},
    {"UxFraccion", "UxFracción", false, false},
    {"Ventas", "Ventas", true, true},
    {"VentasSemana", "Ventas última semana", false, true},
    {"VentasMes", "Ventas último mes", false, false},
    {"Restos", "Restos", true, false},
    {"PUCompra", "Precio de compra", false, true},
    {"Pvp", "PVP", false, false},
    {"Bloqueo", "Bloqueado", false, false},
    {"TipoRep", "Tipo de reposición", false, false},
};

}  // namespace

std::span<const DemoFamily> DemoCatalogue::families()
{
    return kFamilies;
}
std::span<const char* const> DemoCatalogue::thirdLevels()
{
    return kThirdLevels;
}
std::span<const char* const> DemoCatalogue::brands()
{
    return kBrands;
}
std::span<const char* const> DemoCatalogue::suppliers()
{
    return kSuppliers;
}
std::span<const char* const> DemoCatalogue::towns()
{
    return kTowns;
}
std::span<const DemoColumn> DemoCatalogue::viewerColumns()
{
    return kColumns;
}

}  // namespace demo
