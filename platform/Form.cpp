#include "platform/Form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QCoreApplication>
#include <QTimer>
#include "platform/Twips.h"

namespace {

struct Registry {
    std::map<QString, Form*> loaded;
    std::map<QString, Forms::Factory> factories;
    bool scripting = false;
    bool quitWhenNoneLoaded = false;
    std::map<QString, Forms::ModalScript> scripts;
    std::vector<QString> shows;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

Form::Form(QWidget* parent) : QDialog(parent)
{
    // Windows keep the normal title bar buttons; dialogs get no help button.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form()
{
    Forms::forget(this);
}

QString Form::formName() const
{
    return QString::fromLatin1(metaObject()->className());
}

void Form::setClientSizeTwips(int width, int height)
{
    resize(Twips::toPixels(width), Twips::toPixels(height));
}

void Form::firstShown()
{
    if (m_everShown || m_unloading)
        return;
    m_everShown = true;
    Form_Shown();
}

bool Form::Unload()
{
    if (m_unloading)
        return true;
    bool cancel = false;
    Form_QueryUnload(cancel, 1);
    if (cancel)
        return false;
    m_closingFromCode = true;
    close();
    return true;
}

void Form::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    if (!m_closingFromCode) {
        bool cancel = false;
        Form_QueryUnload(cancel, 0);
        if (cancel) {
            event->ignore();
            return;
        }
    }
    m_closingFromCode = false;
    event->accept();
    finishUnload();
}

void Form::closeUnasked()
{
    if (!m_unloading)
        finishUnload();
}

void Form::finishUnload()
{
    m_unloading = true;
    Form_Unload();
    Forms::forget(this);
    QDialog::done(0);   // ends a modal loop that runs this window
    // A window in a modal show is deleted by that show once its loop has
    // ended: until then its own handlers may still be on the stack, under a
    // message box or a dialog that runs a loop of its own.
    if (!m_modal)
        deleteLater();
}

void Form::reject()
{
    // Esc presses the cancel button when the dialog has one; otherwise it is ignored.
    if (cancelButton && cancelButton->isEnabled() && cancelButton->isVisible())
        cancelButton->click();
}

void Form::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (defaultButton && defaultButton->isEnabled() && defaultButton->isVisible())
            defaultButton->click();
        event->accept();   // no default button: Enter does nothing
        return;
    }
    if (key == Qt::Key_Escape) {
        reject();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- registry --------------------------------------------------------------

Form* Forms::find(const QString& name)
{
    auto& r = registry();
    auto it = r.loaded.find(name);
    return it == r.loaded.end() ? nullptr : it->second;
}

void Forms::registerFactory(const QString& name, Factory factory)
{
    registry().factories[name] = std::move(factory);
}

bool Forms::isRegistered(const QString& name)
{
    return registry().factories.count(name) > 0;
}

Form* Forms::getByName(const QString& name)
{
    if (Form* f = find(name))
        return f;
    auto& r = registry();
    auto it = r.factories.find(name);
    if (it == r.factories.end())
        return nullptr;
    Form* f = it->second();
    adopt(name, f);
    return f;
}

void Forms::adopt(const QString& name, Form* f)
{
    registry().loaded[name] = f;
    f->Form_Load();
}

void Forms::forget(Form* f)
{
    auto& loaded = registry().loaded;
    for (auto it = loaded.begin(); it != loaded.end(); ++it) {
        if (it->second == f) {
            loaded.erase(it);
            break;
        }
    }
    if (loaded.empty() && registry().quitWhenNoneLoaded) {
        // Checked once the current event is done: a handler may unload one
        // window and load the next.
        QTimer::singleShot(0, [] {
            if (registry().loaded.empty())
                QCoreApplication::quit();
        });
    }
}

void Forms::quitWhenNoneLoaded(bool on)
{
    registry().quitWhenNoneLoaded = on;
}

bool Forms::closeWhenLoadFailed(Form& form)
{
    if (form.m_loadFailed && !form.m_unloading) {
        form.m_closingFromCode = true;   // closed, not asked: nothing to keep
        form.close();
    }
    return form.m_unloading;
}

void Forms::showModal(Form& form)
{
    if (closeWhenLoadFailed(form))
        return;
    auto& r = registry();
    const QString name = form.formName();
    QPointer<Form> shown(&form);
    form.m_modal = true;
    ModalScript fn;
    if (r.scripting) {
        r.shows.push_back(name);
        auto it = r.scripts.find(name);
        if (it == r.scripts.end())
            it = r.scripts.find(QString());
        if (it != r.scripts.end())
            fn = it->second;   // the script may replace itself
        form.show();
        form.activateWindow();
    }
    // The first activation runs once the modal loop has put the window on
    // screen. In a test the script acts next, inside the window's own loop
    // and after any dialog the activation opened, as a user would; the user
    // closes the window if the script left it open.
    const bool scripted = r.scripting;
    QTimer::singleShot(0, &form, [shown, scripted, fn] {
        shown->firstShown();
        if (!scripted)
            return;
        if (shown && !shown->m_unloading && fn)
            fn(*shown);
        if (shown && !shown->m_unloading && shown->isVisible())
            shown->closeUnasked();
        // The loop deletes what the user's actions closed before it ends.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    form.exec();
    if (!shown)
        return;
    shown->m_modal = false;
    // A window unloaded while its loop ran is deleted now that the loop is over.
    if (shown->m_unloading)
        shown->deleteLater();
}

bool Forms::showModalByName(const QString& name)
{
    Form* f = getByName(name);
    if (!f || find(name) != f || closeWhenLoadFailed(*f))
        return false;
    showModal(*f);
    return true;
}

void Forms::show(Form& form)
{
    form.show();
    form.raise();
    form.activateWindow();
    form.firstShown();
}

void Forms::unloadAll()
{
    auto loaded = registry().loaded;
    registry().loaded.clear();
    for (auto& [name, f] : loaded) {
        f->m_unloading = true;
        f->hide();
        delete f;
    }
}

void Forms::scriptModals()
{
    auto& r = registry();
    r.scripting = true;
    r.scripts.clear();
    r.shows.clear();
}

void Forms::onModal(const QString& name, ModalScript fn)
{
    registry().scripting = true;
    registry().scripts[name] = std::move(fn);
}

void Forms::stopScripting()
{
    auto& r = registry();
    r.scripting = false;
    r.scripts.clear();
    r.shows.clear();
}

bool Forms::scripted() { return registry().scripting; }

const std::vector<QString>& Forms::modalShows() { return registry().shows; }

void Forms::clearModalShows() { registry().shows.clear(); }
