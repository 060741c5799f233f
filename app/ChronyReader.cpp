#include "app/ChronyReader.h"

#include <QList>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

namespace {

// Long enough for a busy machine, short enough that a hung chronyc is not left about.
constexpr int kPatience = 2000;

// chronyc's CSV tracking line, field by field.
enum Field {
    kReferenceId,
    kReferenceName,
    kStratum,
    kReferenceTime,
    kSystemTime,
    kLastOffset,
    kRmsOffset,
    kFrequency,
    kResidualFrequency,
    kSkew,
    kRootDelay,
    kRootDispersion,
    kUpdateInterval,
    kLeapStatus,
    kFieldCount
};

// Far beyond any time or interval chrony gives; below it nothing overflows.
constexpr qint64 kLargest = qint64(1) << 53;
// Whole units read at most, so that scaling them to microseconds stays far inside 64 bits.
constexpr qsizetype kWholeDigits = 12;

// A decimal as chronyc prints it ("-0.000012345", "64.2", "1709727533.139866748"), in units of
// 10^-`places` of its own unit, truncated; nullopt for anything else, an exponent or NaN included.
std::optional<qint64> Scaled(QByteArray text, int places)
{
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        text.remove(0, 1);
    const qsizetype point = text.indexOf('.');
    const QByteArray whole = point < 0 ? text : text.left(point);
    QByteArray fraction = point < 0 ? QByteArray() : text.mid(point + 1);
    const auto digits = [](const QByteArray& part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.isEmpty() || whole.size() > kWholeDigits || !digits(whole) || !digits(fraction))
        return std::nullopt;
    fraction = fraction.left(places).leftJustified(places, '0');
    qint64 value = whole.toLongLong();
    for (int place = 0; place < places; ++place)
        value *= 10;
    value += fraction.isEmpty() ? 0 : fraction.toLongLong();
    if (value >= kLargest)
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::optional<TimeServiceReport> ParseChronyTracking(const QByteArray& csv)
{
    const QList<QByteArray> fields = csv.trimmed().split(',');
    if (fields.size() != kFieldCount)
        return std::nullopt;
    bool idOk = false;
    bool stratumOk = false;
    fields[kReferenceId].toUInt(&idOk, 16);
    const uint stratum = fields[kStratum].toUInt(&stratumOk);
    const std::optional<qint64> referenceMs = Scaled(fields[kReferenceTime], 3);
    const std::optional<qint64> lastOffsetUs = Scaled(fields[kLastOffset], 6);
    const std::optional<qint64> rootDelayUs = Scaled(fields[kRootDelay], 6);
    const std::optional<qint64> rootDispersionUs = Scaled(fields[kRootDispersion], 6);
    const std::optional<qint64> intervalMs = Scaled(fields[kUpdateInterval], 3);
    const QByteArray& name = fields[kReferenceName];
    if (!idOk || fields[kReferenceId].size() > 8 || name.isEmpty() || !stratumOk || stratum > 255
        || !referenceMs || *referenceMs <= 0 || !lastOffsetUs || !rootDelayUs || !rootDispersionUs
        || !intervalMs || *intervalMs < 0 || fields[kLeapStatus] == "Not synchronised")
        return std::nullopt;
    TimeServiceReport report;
    report.service = QStringLiteral("chrony");
    report.server = QString::fromUtf8(name);
    report.stratum = static_cast<int>(stratum);
    report.lastCorrectionMs = *referenceMs;
    report.pollIntervalMs = *intervalMs;
    report.offsetUs = lastOffsetUs;
    report.rootDelayUs = *rootDelayUs;
    report.rootDispersionUs = *rootDispersionUs;
    return report;
}

ChronyReader::ChronyReader(QString program, QObject* parent)
    : QObject(parent)
    , program_(std::move(program))
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    patience_.setSingleShot(true);
    patience_.setInterval(kPatience);
    connect(&patience_, &QTimer::timeout, &process_, &QProcess::kill);
    connect(&process_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        const bool ran = status == QProcess::NormalExit && exitCode == 0;
        Finish(ran ? ParseChronyTracking(process_.readAllStandardOutput()) : std::nullopt);
    });
    // The one error after which no finished follows; queued, since start() may report it at once.
    connect(
        &process_, &QProcess::errorOccurred, this,
        [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                Finish(std::nullopt);
        },
        Qt::QueuedConnection);
}

ChronyReader::~ChronyReader()
{
    // Nothing is answered any more: a chronyc still running is ended here, quietly.
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

void ChronyReader::Ask()
{
    if (asking_)
        return;
    asking_ = true;
    // Where chrony is not installed nothing is started: a fork every few minutes for nothing.
    const QString program
        = program_.contains(QLatin1Char('/')) ? program_ : QStandardPaths::findExecutable(program_);
    if (program.isEmpty()) {
        QTimer::singleShot(0, this, [this] { Finish(std::nullopt); });
        return;
    }
    patience_.start();
    process_.start(program, {QStringLiteral("-c"), QStringLiteral("tracking")});
}

void ChronyReader::Finish(const std::optional<TimeServiceReport>& report)
{
    patience_.stop();
    asking_ = false;
    emit Answered(report);
}
