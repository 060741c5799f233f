#pragma once

#include "app/TimeServiceReport.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

// Asks chrony, through `chronyc -c tracking`, about its reference and its last update of the clock.
// Ask() starts the program and returns at once; Answered follows, always later and once for each
// Ask() that was not made while another was under way (that one's answer serves both). A chronyc
// still running after 2 s is killed. Answered carries nullopt, quietly, when the program is missing,
// fails, is killed, or prints what ParseChronyTracking cannot use.
class ChronyReader : public QObject {
    Q_OBJECT
public:
    // `program` is found on PATH unless it is a path; tests give a stand-in.
    explicit ChronyReader(QString program = QStringLiteral("chronyc"), QObject* parent = nullptr);
    ~ChronyReader() override;
    ChronyReader(const ChronyReader&) = delete;
    ChronyReader& operator=(const ChronyReader&) = delete;

    void Ask();

signals:
    void Answered(const std::optional<TimeServiceReport>& report);

private:
    void Finish(const std::optional<TimeServiceReport>& report);

    QString program_;
    QProcess process_;
    QTimer patience_;
    bool asking_ = false;
};

// The report in chronyc's CSV tracking line: reference id (hex), reference name (an address, or
// the reference clock's id), stratum, reference time (UTC seconds with decimals), system time
// offset, last offset, RMS offset (seconds), frequency, residual frequency, skew (ppm), root
// delay, root dispersion, update interval (seconds), leap status. The report's offset is the last
// offset (chrony's sign: positive when the clock was ahead), its poll interval the update
// interval. nullopt for anything else, and where chrony has no reference: a reference time of 0,
// or a leap status of "Not synchronised". Numbers are read as decimals, exactly, to the microsecond.
std::optional<TimeServiceReport> ParseChronyTracking(const QByteArray& csv);
