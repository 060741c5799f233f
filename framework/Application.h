#pragma once

#include "framework/Export.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <exception>
#include <memory>
#include <vector>

class QMessageBox;

namespace framework {

// The program's application object: start-up, the forms it owns, the message loop, and the one
// place every error that escapes an event handler ends up in.
class STUDIOCLOCK_FRAMEWORK_EXPORT Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    static Application* Instance();

    // Fixes the rounding mode and the stand-ins for the fonts the layouts name.
    void Initialize();

    // Creates a form; the first one becomes the main form, which Run shows and whose closing ends
    // the program, whatever other windows are open. The application owns its forms and frees
    // them, last created first, when Run ends.
    template <typename FormClass> void CreateForm(FormClass*& reference)
    {
        auto form = std::make_unique<FormClass>();
        reference = form.get();
        form->AfterConstruction();
        if (!mainForm_)
            connect(form.get(), &FormClass::Closed, this, &QCoreApplication::quit);
        Adopt(std::move(form));
    }

    // Shows the main form and serves events until it closes; returns the exit code.
    int Run();

    // True once the message loop has been told to end; readable from any thread.
    bool Terminated() const;

    // Reports an error and carries on: the message is shown in a box that does not block the
    // loop (one box per distinct message), and written to the standard error stream.
    void HandleException(QObject* sender, const std::exception& error);
    void HandleException(QObject* sender, const std::exception_ptr& error);

    QWidget* MainForm() const { return mainForm_.data(); }

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    void ExceptionReported(QObject* sender, const QString& message);

private:
    void Adopt(std::unique_ptr<QWidget> form);
    void FreeForms();
    void Report(QObject* sender, const QString& message);
    void ShowMessage(const QString& message);

    std::vector<std::unique_ptr<QWidget>> forms_;
    QPointer<QWidget> mainForm_;
    std::vector<QPointer<QMessageBox>> messageBoxes_;
};

// Reports through the application object when there is one, else on the standard error stream;
// for code that may run before or without it (tests, tools).
STUDIOCLOCK_FRAMEWORK_EXPORT void HandleException(QObject* sender, const std::exception_ptr& error);

// The text of an error as it is shown to the user.
STUDIOCLOCK_FRAMEWORK_EXPORT QString ExceptionMessage(const std::exception_ptr& error);

// A guard that turns null when `object` is freed. Made out of line, so that the null test inside
// does not make the static analyser take every guarded sender for one that may be null.
STUDIOCLOCK_FRAMEWORK_EXPORT QPointer<QObject> Watched(QObject* object);

// Runs an event handler so that nothing it raises escapes into the toolkit's own code: the error
// is reported and the caller carries on. A handler that freed its sender before failing is
// reported without one. ConnectGuarded runs a component event's handler through it.
template <typename Handler> void Guarded(QObject* sender, Handler&& handler)
{
    const QPointer<QObject> alive = Watched(sender);
    try {
        handler();
    } catch (...) {
        HandleException(alive.data(), std::current_exception());
    }
}

}  // namespace framework
