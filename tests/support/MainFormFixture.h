#pragma once

// The main window of a test, opened on a stored design case: the worked
// example on R22 from the shipped library.
#include "app/MainForm.h"
#include "report/PreviewForm.h"
#include "services/AppFolders.h"
#include "services/SettingsStore.h"
#include "support/RecordingFeedback.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

inline std::string ShippedLibrary()
{
    const char* testData = std::getenv("VELLOX_TEST_DATA");
    const std::string folder = testData != nullptr ? testData : VELLOX_TEST_SOURCE_DIR;
    return folder + "/../../data/RefLib8.rdf";
}

class MainFormTest : public testing::Test {
protected:
    // Each test starts from a stored design case: the worked example on R22.
    void SetUp() override
    {
        ClearStore();
        const TRefrigLib names(ShippedLibrary());
        const auto& list = names.RefrigerantNames();
        const int r22 = static_cast<int>(std::find(list.begin(), list.end(), "R22") - list.begin());
        Store().WriteInteger("Settings", "Refrig", r22);
        Store().WriteFloat("Settings", "tc", 40.0);
        Open(ShippedLibrary());
    }

    void TearDown() override
    {
        Form.reset();
        DestroyPreviewForm();
        ClearStore();
    }

    static TSettingsStore Store() { return TSettingsStore(ProgramKey(ProgramFile())); }
    static QString ProgramFile() { return QApplication::applicationFilePath(); }

    static void ClearStore()
    {
        Store().EraseSection("Settings");
        Store().EraseSection("MainForm");
        Store().EraseSection("Report");
    }

    void Open(const std::string& library)
    {
        Form.reset();
        Lib = std::make_unique<TRefrigLib>(library);
        Form = std::make_unique<TMainForm>(*Lib, ProgramFile());
        Form->show();
        QApplication::setActiveWindow(Form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        QApplication::processEvents();
    }

    void Type(TFmtEdit* edit, const QString& keys)
    {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    void Tab()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }

    void PressF9()
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Form.get(),
                        Qt::Key_F9);
        QApplication::processEvents();
    }

    QString Status(int panel) const { return Form->StatusPanels[panel]->text(); }
    QStringList Steps() const
    {
        return Form->RichEdit1->toPlainText().split('\n', Qt::SkipEmptyParts);
    }

    TRecordingFeedback Feedback;
    std::unique_ptr<TRefrigLib> Lib;
    std::unique_ptr<TMainForm> Form;
};
