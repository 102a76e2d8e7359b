#include "reposic/frame/frmMsg.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QStyle>

namespace reposic {

namespace {

QPointer<frmMsg>& compartido()
{
    // Never deleted: it lives as long as the application, like the module that uses it.
    static QPointer<frmMsg> instancia;
    return instancia;
}

// The message is measured in the font it is shown in, so the width always fits the text.
QFont fuenteMensaje()
{
    return QFont(QStringLiteral("Sans Serif"), 8, QFont::Bold);
}

constexpr int kAlto = 48;
constexpr int kMargenTwips = 2500;
constexpr int kTwipsPorPixel = 15;
constexpr int kIcono = 32;
constexpr int kBorde = 8;

}  // namespace

frmMsg* frmMsg::instancia()
{
    if (!compartido())
        compartido() = new frmMsg;
    return compartido();
}

bool frmMsg::existe()
{
    return !compartido().isNull();
}

frmMsg::frmMsg()
    : QDialog(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmMsg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(kIcono, kIcono));
    Image1->setGeometry(kBorde, (kAlto - kIcono) / 2, kIcono, kIcono);

    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setFont(fuenteMensaje());
    lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setStyleSheet(QStringLiteral("reposic--frmMsg { border: 1px solid palette(dark); }"));
    resize(400, kAlto);
    RefreshMsg();
}

void frmMsg::RefreshMsg()
{
    if (!Mensaje.isEmpty())
        lblMsg->setText(Mensaje);
    const int texto = QFontMetrics(fuenteMensaje()).horizontalAdvance(lblMsg->text());
    const int ancho = texto + (kMargenTwips + kTwipsPorPixel / 2) / kTwipsPorPixel;
    resize(ancho, kAlto);
    const int x = kBorde * 2 + kIcono;
    lblMsg->setGeometry(x, 0, std::max(ancho - x - kBorde, 0), kAlto);
    lblMsg->repaint();
}

void frmMsg::closeEvent(QCloseEvent* event)
{
    // Only MsgOp takes the message down; the operation behind it is still running.
    event->ignore();
}

void frmMsg::keyPressEvent(QKeyEvent* event)
{
    // Escape would reject a dialog, hiding the message while the hourglass stays.
    event->ignore();
}

}  // namespace reposic
