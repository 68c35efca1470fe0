// A batch-mode test over the registered sample formats, with a folder for its files.
#pragma once

#include "clsBatch.h"
#include "clsFileSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

// Registers every sample format in a settings file of its own, then runs batch commands
// directly, keeping what they print.
class clsSampleBatchTest : public ::testing::Test
{
protected:
    static QString Samples() { return QStringLiteral(QUILLET_SOURCE_DIR "/samples"); }

    void SetUp() override
    {
        const QDir formats(Samples() + QStringLiteral("/formats"));
        QStringList args{QStringLiteral("--import-reg")};
        for (const QString& name :
             formats.entryList({QStringLiteral("*.reg")}, QDir::Files, QDir::Name))
            args.append(formats.filePath(name));
        ASSERT_EQ(Run(args), 0) << errors.toStdString();
    }

    int Run(const QStringList& args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        return clsBatch::Run(args, store, out, err);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QString Put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(QStringLiteral("settings.txt"))};
    QString output;
    QString errors;
};
