#pragma once
// Windows of the system and the registry that keeps their default instances.
//
// Every window is a Form. Forms::get<T>() returns the default instance of T,
// creating it and running its Form_Load on first touch; Forms::isLoaded<T>()
// only looks. Closing a window unloads it (the instance is destroyed and the
// next touch loads a fresh one) unless its Form_QueryUnload cancels.
//
// An unloaded window is deleted by an event loop, not at once: a window in a
// modal show once that show's loop has ended, any other at the next event
// loop (a message box or a modal show runs one). No code touches a window
// after its Unload(), or after such a call that may have closed it, unless it
// holds a QPointer and checks it.
//
// Modal shows go through Forms::showModal, which runs the window's real modal
// loop; in tests a scripted function acts inside that loop.
#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // The design name of the window class ("FrmMain").
    QString formName() const;

    // Runs once, right after construction, when the registry loads the window.
    virtual void Form_Load() {}
    // Asked before the window closes; set cancel to keep it open.
    // unloadMode: 0 = close box / system menu, 1 = closed from code.
    virtual void Form_QueryUnload(bool& cancel, int unloadMode) { (void)cancel; (void)unloadMode; }
    // Runs when the window is unloaded.
    virtual void Form_Unload() {}
    // Runs once, when the window is first on screen (its first activation),
    // before the user can act on it. A window that must act when it comes
    // back from one of its own dialogs calls its handler itself.
    virtual void Form_Shown() {}

    // Closes the window from code (VB's "Unload Me"): runs Form_QueryUnload
    // with mode 1, then unloads. Returns false when the window refused.
    bool Unload();

    // Client area in twips, as the design gives it.
    void setClientSizeTwips(int width, int height);

    // Shown modally right now (program or test seam).
    bool isShownModally() const { return m_modal; }

    // A read of the load failed (its message was shown): the window could not
    // read what it shows, so it never saves. A modal show closes it at once,
    // before the user can type or press save.
    void markLoadFailed() { m_loadFailed = true; }
    bool loadFailed() const { return m_loadFailed; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;   // Esc: press the cancel button, or nothing
    void keyPressEvent(QKeyEvent* event) override;

public:
    // Set per dialog as designed. A window without them ignores Enter and Esc.
    QPushButton* defaultButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    friend class Forms;
    void firstShown();
    // Unloads without asking Form_QueryUnload (a test's user closing a
    // window that its script left open).
    void closeUnasked();
    void finishUnload();
    bool m_modal = false;
    bool m_everShown = false;
    bool m_unloading = false;
    bool m_closingFromCode = false;
    bool m_loadFailed = false;
};

class Forms {
public:
    using Factory = std::function<Form*()>;

    template <class T> static T& get()
    {
        const QString name = QString::fromLatin1(T::staticMetaObject.className());
        if (Form* f = find(name))
            return *static_cast<T*>(f);
        T* f = new T();
        adopt(name, f);
        return *f;
    }
    template <class T> static bool isLoaded()
    {
        return find(QString::fromLatin1(T::staticMetaObject.className())) != nullptr;
    }
    template <class T> static void unload()
    {
        if (Form* f = find(QString::fromLatin1(T::staticMetaObject.className())))
            f->Unload();
    }

    // Loaded window by design name, or nullptr.
    static Form* find(const QString& name);
    // Default instance by design name; loads it through its registered factory.
    // nullptr when no window of that name is built into the program.
    static Form* getByName(const QString& name);
    static bool isRegistered(const QString& name);
    static void registerFactory(const QString& name, Factory factory);

    // Shows a window modally and returns when it is closed or hidden. A window
    // whose load failed is closed instead of shown. A window unloaded while
    // its loop ran is deleted later, not before this returns.
    static void showModal(Form& form);
    // Opens a registered window modally by name; does nothing when no window of
    // that name is built yet, or when the window unloaded itself or failed a
    // read while it loaded. Returns whether a window was shown.
    static bool showModalByName(const QString& name);
    // Shows a window without waiting.
    static void show(Form& form);

    // The program lives while any window is loaded, shown or hidden: once the
    // last one unloads, the application quits.
    static void quitWhenNoneLoaded(bool on);

    // Unloads every window (tests start from nothing).
    static void unloadAll();

    // ---- modal seam -------------------------------------------------------
    // Modal shows run the window's own loop. A test installs a script: each
    // modal show is recorded, and the script's function for that window name
    // (or the fallback) runs with the window inside its loop, after the
    // window's first activation; when the function returns the window is
    // closed unasked if still open, and the loop deletes what was closed.
    using ModalScript = std::function<void(Form&)>;
    static void scriptModals();                       // record, close at once
    static void onModal(const QString& name, ModalScript fn);
    static void stopScripting();
    static bool scripted();
    static const std::vector<QString>& modalShows();  // names, in order
    static void clearModalShows();

private:
    static void adopt(const QString& name, Form* f);
    // Closes a window whose load failed; true when it is not open any more.
    static bool closeWhenLoadFailed(Form& form);
    static void forget(Form* f);
    friend class Form;
};

// Registers a window class so that other windows can open it by name.
#define TABULOR_REGISTER_FORM(Cls) \
    static const bool Cls##_registered = [] { \
        Forms::registerFactory(QStringLiteral(#Cls), [] { return static_cast<Form*>(new Cls()); }); \
        return true; }()
