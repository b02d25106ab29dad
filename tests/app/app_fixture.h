// Tests of the main window run in a temporary folder that is the current
// directory, with the prompt and system seams answered by the test.
#pragma once

#include "app/kidou.h"
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "support/fake_system.h"
#include "support/sample_data.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <QFile>

#include <memory>
#include <string>

#include <gtest/gtest.h>

class InTempDir : public ::testing::Test {
protected:
    void SetUp() override { NamepasReset(); }
    void TearDown() override { NamepasReset(); }

    static void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray ReadFile(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }

    TempDir dir_;
};

// The reader as the program starts it, over the sample data.
class MainWindowTest : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        CopySampleData(dir_.Path());
    }
    void TearDown() override
    {
        reader_.reset();
        InTempDir::TearDown();
    }

    // The start-up steps from the answer tables to the data modules.
    void CreateMain(const std::string& title = "Ronvetta")
    {
        system_.tickCount = 1000;
        reader_ = std::make_unique<ReaderSession>(title);
        main_ = &reader_->MainForm();
    }
    void CloseReader()
    {
        reader_.reset();
        main_ = nullptr;
    }

    FakeSystem system_;
    ScriptedPrompts prompts_;
    std::unique_ptr<ReaderSession> reader_;
    TMain* main_ = nullptr;
};
