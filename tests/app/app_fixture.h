// Tests of the main window run in a temporary folder that is the current
// directory, with the prompt and system seams answered by the test.
#pragma once

#include "app/kidou.h"
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "support/fake_system.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include <gtest/gtest.h>

class InTempDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        oldDir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        NamepasReset();
    }
    void TearDown() override
    {
        QDir::setCurrent(oldDir_);
        NamepasReset();
    }

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

    QTemporaryDir dir_;
    QString oldDir_;
};

class MainWindowTest : public InTempDir {
protected:
    // The start-up steps up to the creation of the main window.
    void CreateMain(const std::string& title = "Ronvetta")
    {
        PresenceFlagsSet();
        system_.tickCount = 1000;
        KidouStart();
        TableFileNamesSet();
        platform::SetApplicationTitle(title);
        main_ = std::make_unique<TMain>();
        Main = main_.get();
    }

    FakeSystem system_;
    ScriptedPrompts prompts_;
    std::unique_ptr<TMain> main_;
};
