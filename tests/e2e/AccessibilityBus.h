#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// A private D-Bus session whose accessibility bus at-spi2-core's launcher serves, so that a
// program's accessible tree can be read from outside, as a screen reader reads it. While it
// runs, the programs this process starts join it with Qt's accessibility on. The session bus, the
// launcher and all they started end when this goes.
class AccessibilityBus {
public:
    AccessibilityBus() = default;
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // Starts the session bus and the accessibility bus; false (with the reason in Error()) if
    // either fails.
    bool Start();
    QString Error() const { return error_; }

    // What tests/e2e/atspi_tree.py prints of the program with this process id, one object a line
    // (role, name, description, text, tab-separated); empty, with the reason in Error(), while the
    // program is not on the bus.
    QStringList Tree(qint64 processId);

private:
    QProcess sessionBus_;
    // The variables this replaces while it runs, to be given back: name, value, whether set.
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    QList<Saved> saved_;
    QString error_;
};
