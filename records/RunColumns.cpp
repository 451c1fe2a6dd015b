#include "records/RunColumns.h"

#include <QJsonDocument>

namespace {

constexpr int kDetailColumn = 17;

QString Joined(bool server, const QString& fields, const QString& table) {
    return QStringLiteral("(SELECT %1(%2, ';') FROM %3 d WHERE d.run_id = r.id)")
        .arg(server ? QLatin1String("string_agg") : QLatin1String("group_concat"), fields, table);
}

// Seventeen digits: the double read back is the one stored.
QString DbmText(bool server) {
    return server ? QStringLiteral("COALESCE(CAST(d.dbm AS TEXT), '')")
                  : QStringLiteral("CASE WHEN d.dbm IS NULL THEN '' ELSE "
                                   "printf('%!.17g', d.dbm) END");
}

QString Text(const QString& column) {
    return QStringLiteral("COALESCE(CAST(d.%1 AS TEXT), '')").arg(column);
}

QList<QStringList> Parts(const QVariant& column, QLatin1Char separator = QLatin1Char(':')) {
    QList<QStringList> parts;
    for (const QString& item : column.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        parts << item.split(separator);
    return parts;
}

template <typename Sample> void Place(QList<Sample>& samples, int seq, const Sample& sample) {
    if (seq < 0)
        return;
    samples.resize(std::max<qsizetype>(samples.size(), seq + 1));
    samples[seq] = sample;
}

void ReadDetails(const QSqlQuery& query, RunRecord& run) {
    for (const QStringList& part : Parts(query.value(kDetailColumn), QLatin1Char('=')))
        if (part.size() == 2)
            run.values.insert(part[0], part[1].toLongLong());
    for (const QStringList& part : Parts(query.value(kDetailColumn + 1))) {
        if (part.size() != 6)
            continue;
        TxPowerSample sample;
        sample.band = static_cast<std::int16_t>(BandFromName(part[1]));
        sample.subBand = part[2].toInt();
        sample.level = part[3].toInt();
        sample.dac = part[4].toInt();
        if (!part[5].isEmpty())
            sample.dbm = part[5].toDouble();
        Place(run.txPower, part[0].toInt(), sample);
    }
    for (const QStringList& part : Parts(query.value(kDetailColumn + 2)))
        if (part.size() == 3)
            Place(
                run.gmagic, part[0].toInt(),
                GmagicSample{static_cast<std::int16_t>(BandFromName(part[1])), part[2].toDouble()});
}

} // namespace

QString RunColumnsSql(bool withDetails, bool server) {
    QString columns = QStringLiteral(
        "r.id, r.host, r.station, r.started, r.ended, r.model, r.stage, r.name, r.run, "
        "r.config, r.outcome, r.failure_text, r.failed_calibration, r.failed_step, "
        "r.elapsed_ms, r.test_set_identity, r.supply_identity");
    if (!withDetails)
        return columns;
    const QString dbm = DbmText(server);
    return columns + QStringLiteral(", ") +
           Joined(server, QStringLiteral("d.name || '=' || CAST(d.value AS TEXT)"),
                  QStringLiteral("run_values")) +
           QStringLiteral(", ") +
           Joined(server,
                  QStringList{Text("seq"), QStringLiteral("d.band"), Text("sub_band"),
                              Text("level"), Text("dac"), dbm}
                      .join(QLatin1String(" || ':' || ")),
                  QStringLiteral("tx_power")) +
           QStringLiteral(", ") +
           Joined(server, Text("seq") + QStringLiteral(" || ':' || d.band || ':' || ") + dbm,
                  QStringLiteral("gmagic_samples"));
}

QDateTime TimeFromColumn(const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toUTC();
    return TimeFromStored(value.toString());
}

RunRecord RunFromRow(const QSqlQuery& query, bool withDetails) {
    RunRecord run;
    run.id = query.value(0).toString();
    run.host = query.value(1).toString();
    run.station = query.value(2).toString();
    run.started = TimeFromColumn(query.value(3));
    run.ended = TimeFromColumn(query.value(4));
    run.model = query.value(5).toString();
    run.stage = query.value(6).toString();
    run.name = query.value(7).toString();
    run.run = query.value(8).toString();
    run.config = ConfigFromJson(QJsonDocument::fromJson(query.value(9).toByteArray()).object());
    run.outcome = OutcomeFromText(query.value(10).toString()).value_or(RunOutcome::Failed);
    run.failureText = query.value(11).toString();
    run.failedCalibration = query.value(12).toString();
    run.failedStep = query.value(13).toInt();
    run.elapsedMs = query.value(14).toLongLong();
    run.testSetIdentity = query.value(15).toString();
    run.supplyIdentity = query.value(16).toString();
    if (withDetails)
        ReadDetails(query, run);
    return run;
}
