#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <typeindex>

class QCloseEvent;
class QShowEvent;

namespace reposic {

// What every form of the module shares: it unloads once (by accept, reject, close or
// descargar()), runs its Form_Unload hook, tells its launcher through the Unload signal and
// stops being its class's default instance.
//
// Ownership: the form never deletes itself. Whoever created it does: the launcher after Unload,
// the default-instance registry after Unload, or the scope of a modal dialog on the stack.
class FormBase : public QDialog {
    Q_OBJECT

public:
    explicit FormBase(QWidget* parent = nullptr);
    ~FormBase() override;

    // Shows the form: Modal 0 modeless (returns at once), anything else modal (returns when the
    // form closes). OwnerForm becomes the window's owner, so the form stays above it and goes
    // with it. Calling it while the form is already open brings that form to the front.
    void Show(int Modal = 0, QWidget* OwnerForm = nullptr);

    // Unloads the form even if its own close handling would refuse (the launcher being released).
    void descargar();

    bool descargado() const { return descargado_; }

    // The form other forms refer to by its class name, created on first use and released once it
    // unloads (a later call makes a fresh one). T must derive from FormBase.
    template <class T>
    static T* porDefecto()
    {
        QPointer<FormBase>& p = instanciasPorDefecto()[std::type_index(typeid(T))];
        if (!p) {
            auto* nuevo = new T();
            nuevo->borrarAlDescargar_ = true;
            p = nuevo;
        }
        return static_cast<T*>(p.data());
    }
    template <class T>
    static bool hayPorDefecto()
    {
        return !instanciasPorDefecto().value(std::type_index(typeid(T))).isNull();
    }

signals:
    void Unload();

public slots:
    void done(int r) override;

protected:
    // Releases what the form holds (records, its own connections) just before Unload is raised.
    virtual void Form_Unload() {}
    // Loads the form, once, when it is first shown: the caller sets the public members between
    // creating the form and showing it. What it throws reaches whoever showed the form.
    virtual void Form_Load() {}

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void marcarDescargado();
    void enfocarRejillaSiNoHayCampos();
    void ensancharParaElTitulo();
    static QHash<std::type_index, QPointer<FormBase>>& instanciasPorDefecto();

    bool descargado_ = false;
    bool formularioCargado_ = false;
    bool borrarAlDescargar_ = false;
};

}  // namespace reposic
