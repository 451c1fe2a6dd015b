// The writer on its thread: a database that cannot be reached loses no record.
#include "records/RecordSpool.h"
#include "records/RecordStore.h"
#include "records/RecordWriter.h"
#include "tests/records/RecordSamples.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(RecordWriter, recordsWaitInTheSpoolWhileTheDatabaseIsAwayAndReachItInOrderWhenItIsBack) {
    QTemporaryDir dir;
    // A file where the database's folder should be: the database cannot be made, until the
    // file goes.
    QFile blocker(dir.filePath("line"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    const DatabaseLocation location =
        *ParseDatabaseUrl(dir.filePath("line/records.sqlite"), &error);
    const RecordSpool spool(dir.filePath("spool"));
    QStringList notices;
    QStringList written;
    int caughtUp = 0;
    {
        RecordWriter writer(location, spool.Directory(), 60000);
        QObject::connect(&writer, &RecordWriter::noticeShown,
                         [&](const QString& text) { notices << text; });
        QObject::connect(&writer, &RecordWriter::written,
                         [&](const QString& id) { written << id; });
        QObject::connect(&writer, &RecordWriter::caughtUp, [&] { ++caughtUp; });

        QList<RunRecord> runs;
        for (int i = 0; i < 4; ++i)
            runs << SampleRun("line 1", QDateTime(QDate(2026, 3, 2), QTime(9, i)),
                              RunOutcome::Success);
        for (int i = 0; i < 3; ++i)
            writer.Submit(runs[i]);
        ASSERT_TRUE(QTest::qWaitFor([&] { return spool.Pending().size() == 3; }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !notices.isEmpty(); }, 10000));
        EXPECT_EQ(notices.size(), 1); // told once, not once a record
        EXPECT_TRUE(notices[0].contains("cannot be written")) << notices[0].toStdString();
        EXPECT_TRUE(written.isEmpty());

        // A damaged file in the spool is set aside rather than holding the others back.
        QFile damaged(spool.Directory() + "/00000000-damaged.run.json");
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("{ not a record");
        damaged.close();

        // The database comes back, perhaps while the writer is offering the kept records
        // again: whichever way, they reach it in order, the new one last.
        ASSERT_TRUE(QFile::remove(dir.filePath("line")));
        writer.Submit(runs[3]);
        ASSERT_TRUE(QTest::qWaitFor([&] { return written.size() == 4 && caughtUp >= 1; }, 10000))
            << notices.join(" / ").toStdString();
        EXPECT_EQ(written, (QStringList{runs[0].id, runs[1].id, runs[2].id, runs[3].id}));
        ASSERT_EQ(notices.size(), 2);
        EXPECT_TRUE(notices[1].contains("reach")) << notices[1].toStdString();
        EXPECT_TRUE(notices[1].contains("kept records were sent")) << notices[1].toStdString();
    }
    EXPECT_TRUE(spool.Pending().isEmpty());
    EXPECT_TRUE(QFile::exists(spool.Directory() + "/00000000-damaged.run.json.bad"));
    RecordStore store(location);
    EXPECT_EQ(store.Runs({}, false, &error)->size(), 4);
}
