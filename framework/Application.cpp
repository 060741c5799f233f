#include "framework/Application.h"

#include "framework/Arithmetic.h"
#include "framework/Exceptions.h"
#include "framework/Thread.h"

#include <QFont>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

namespace framework {

namespace {

// Fonts the layouts name, and the installed fonts that stand in for them (metric-compatible
// Liberation fonts from Debian's fonts-liberation).
void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

// Written under the name of whichever program uses the framework, as its own messages are.
void WriteToStandardError(const QString& message)
{
    const QString name = QCoreApplication::applicationName();
    const QString line = name.isEmpty() ? message : name + QStringLiteral(": ") + message;
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    SetApplicationTerminated(false);
    connect(this, &QCoreApplication::aboutToQuit, this, [] { SetApplicationTerminated(true); });
}

Application::~Application()
{
    FreeForms();
    // The boxes no main form owned: shown before there was one, or in a program without one.
    for (const QPointer<QMessageBox>& box : messageBoxes_)
        delete box.data();
}

Application* Application::Instance()
{
    return qobject_cast<Application*>(QCoreApplication::instance());
}

void Application::Initialize()
{
    SetRoundToNearest();
    InstallFontSubstitutions();
}

void Application::Adopt(std::unique_ptr<QWidget> form)
{
    if (!mainForm_)
        mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

void Application::FreeForms()
{
    while (!forms_.empty())
        forms_.pop_back();
}

bool Application::Terminated() const
{
    return ApplicationTerminated();
}

int Application::Run()
{
    if (mainForm_)
        mainForm_->show();
    const int code = exec();
    SetApplicationTerminated(true);
    FreeForms();
    return code;
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // The last line of defence: handlers guard themselves, but nothing may leave the loop.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(receiver, std::current_exception());
        return false;
    }
}

void Application::HandleException(QObject* sender, const std::exception& error)
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    Report(sender, own ? own->Message() : QString::fromLocal8Bit(error.what()));
}

void Application::HandleException(QObject* sender, const std::exception_ptr& error)
{
    Report(sender, ExceptionMessage(error));
}

void Application::Report(QObject* sender, const QString& message)
{
    emit ExceptionReported(sender, message);
    ShowMessage(message);
}

void Application::ShowMessage(const QString& message)
{
    // Shown from the loop, never from inside the handler that failed: a box opened during a paint
    // would paint in the middle of it.
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            // An error that repeats (a failing paint, once a second) keeps one box, not a pile.
            if (std::any_of(messageBoxes_.begin(), messageBoxes_.end(),
                    [&](const QPointer<QMessageBox>& box) { return box && box->text() == message; }))
                return;
            messageBoxes_.erase(
                std::remove(messageBoxes_.begin(), messageBoxes_.end(), nullptr), messageBoxes_.end());
            // Written once per box too, so an error that repeats for weeks does not fill a log.
            WriteToStandardError(message);
            auto* box = new QMessageBox(
                QMessageBox::Critical, applicationName(), message, QMessageBox::Ok, mainForm_);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setAttribute(Qt::WA_QuitOnClose, false);
            box->setModal(false);
            box->show();
            messageBoxes_.emplace_back(box);
        },
        Qt::QueuedConnection);
}

QString ExceptionMessage(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

QPointer<QObject> Watched(QObject* object)
{
    return object;
}

void HandleException(QObject* sender, const std::exception_ptr& error)
{
    if (Application* application = Application::Instance())
        application->HandleException(sender, error);
    else
        WriteToStandardError(ExceptionMessage(error));
}

}  // namespace framework
