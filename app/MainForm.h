#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/Rating.h"
#include "sizing/SolveDriver.h"
#include "units/NqFmtEdit.h"
#include "units/NqFmtEditLabel.h"

#include <array>
#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTextEdit;
class QToolBar;
class TSelectionTable;
class TSettingsStore;
class TSpinButton;
class TStepsPlot;

// The main window: the design case, the three capillary tube lengths, the
// simulation steps and the refrigerant fact sheet.
class TMainForm : public QMainWindow, private TSolveView {
    Q_OBJECT

public:
    // lib: the program's refrigerant library, which the window selects in.
    // programFile: the running program's file, whose version block gives the
    // caption and whose key holds the stored design case.
    TMainForm(TRefrigLib& lib, const QString& programFile, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Result fields
    double RefrigEffect = 0; // kJ/kg
    double StoeckerLength = 0;
    double LeavingTemp = 0;
    bool Choked = false;
    double WolfLength = 0;
    double ChoiLength = 0;
    bool Solved = false;

    // The fact sheet as HTML lines.
    std::vector<std::string> PageLines;

    // Set once at creation: the program's folder (ending with "/"), its
    // settings key and its version text ("1.0.8.0").
    QString ProgramFolder;
    QString SettingsKey;
    QString VersionText;

    // Actions
    QAction* NewAction;
    QAction* SolveAction;
    QAction* PrintAction;
    QAction* PelorusAction;
    QAction* ActionTarnwick;
    QAction* HelpAction;
    QToolBar* ToolBar1;

    QComboBox* RefrigCombo;
    QLabel* RLabel;
    QLabel* EffectLabel;
    QTabWidget* FlatPageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;

    TFmtEdit* tcEdit;
    TFmtEdit* teEdit;
    TFmtEdit* pcEdit;
    TFmtEdit* peEdit;
    TFmtEdit* scEdit;
    TFmtEdit* shEdit;
    TFmtEdit* QeEdit;
    TFmtEdit* mrEdit;
    TFmtEdit* dpEdit;
    TFmtEdit* dpEvapEdit;
    TFmtEdit* idEdit;
    TSpinButton* SpinButton1;

    QGroupBox* ResultsBox;
    QLabel* LabelSimLen;
    QLabel* LabelASHLen;
    QLabel* LabelChoiLen;

    QTextEdit* StepsHeaderLabel; // the column header above the steps table
    QTextEdit* RichEdit1;
    QTextBrowser* HTMLViewer1;
    QLabel* StatusPanels[3];

    // The simulation drawn along the tube, under the steps table.
    TStepsPlot* StepsPlot1;
    // The rows of the last simulation as numbers, beside the table's text.
    std::vector<TStoeckerStep> StepRows;

    // Tube Selection: rating a tube of a given length, and the standard bores
    // side by side at the design case's mass flow.
    QWidget* TabSheet4;
    TFmtEdit* LengthEdit; // tube length, m
    QAction* RateAction;
    QPushButton* RateButton;
    QLabel* RatingCaption;
    // Per method, in the order of SizingMethods: rated mass flow, duty, and
    // "choked" or why the method could not rate the tube.
    QLabel* RatedFlowLabels[3];
    QLabel* RatedDutyLabels[3];
    QLabel* RatedNoteLabels[3];
    QLabel* SelectionCaption;
    TSelectionTable* SelectionTable1;
    // The last rating, kept as numbers so that it follows a change of unit.
    std::array<TRating, 3> Ratings;
    double RatedLength = 0; // m; 0 before the first rating
    double RatedBore = 0;   // mm, the design case's bore at that rating

    // Solve: the focused field's value takes effect, then the three methods.
    void SolveActionExecute(QObject* sender = nullptr);
    void SetSolved(bool solved);
    void UpdateRefrigEffect();
    void BuildRefProps();

    // Field coupling when the user leaves a changed field.
    void tcEditExit();
    void pcEditExit();
    void teEditExit();
    void peEditExit();
    void scEditExit();
    void shEditExit();
    void QeEditExit();
    void mrEditExit();
    void dpEditExit();
    void dpEvapEditExit();
    void idEditExit();

    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void RefrigComboChange();
    void RefrigComboClick();
    void NewActionExecute();
    void PrintActionExecute();
    // The report's body: its lines, then the signature.
    void ReportBody();
    void WriteReportLines();
    void HelpActionExecute();
    void PelorusActionExecute();
    void ActionTarnwickExecute();
    void FormActivate();

    // Rates the tube of LengthEdit by the three methods.
    void RateActionExecute();
    // A row of the selection table chosen: its bore (mm) into Tube ID, then
    // Solve.
    void SelectionTable1DblClick(double bore);

    // The stored design case and window placement.
    void LoadSettings();
    void SaveSettings();

    // The design case as the fields give it now.
    TDesignCase DesignCase() const;
    TRefrigLib& RefrigLib() { return Lib_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateActions();
    void CreateDataEntryPage();
    void CreateStepsPage();
    void CreateRefPropsPage();
    void CreateStatusBar();
    void CreateSelectionPage();
    void ShowRatings();
    void ShowSelection(const TDesignCase& designCase);
    void ShowStepsPlot(const TSolveOutcome& outcome);
    QString ShownIn(const TFmtEdit* edit, double value) const;
    void ApplyRefrigerant();
    void FormClose();
    bool HandleNavigationKey(QKeyEvent* event);
    void StepDiameter(double factor);
    TFmtEdit* AddField(int field, class QGridLayout* grid, int row, int column);
    // A design field's edit and its unit label on `page`, configured from
    // the field's layout.
    TFmtEdit* NewField(int field, QWidget* page, TFmtEditLabel* unit);
    void ConnectExit(TFmtEdit* edit, void (TMainForm::*handler)());

    // Coupling helpers: a pressure field follows its temperature, the duty
    // the mass flow.
    void PressureFromTemperature(TFmtEdit* pressure, const TFmtEdit* temperature);
    void TemperatureFromPressure(TFmtEdit* temperature, const TFmtEdit* pressure);
    void DutyFromMassFlow();
    double Number(const TFmtEdit* edit) const;

    // The result fields and the simulation's rows as one set of numbers, and
    // back: the one place a Solve's results become the window's.
    TSolveResults CurrentResults() const;
    void KeepResults(TSolveResults results);

    // What Solve shows, as each method finishes.
    void ClearSteps() override;
    void AddStep(const TStoeckerStep& step) override;
    void ShowWolf(double length) override;
    void ShowChoi(double length) override;
    void ShowStoecker(const TStoeckerResults& results) override;
    void ShowRefusal(const std::string& message) override;
    void ShowCapillaryLength(double choiLength) override;
    void ShowCaseRefusal(const std::string& message) override;
    void ShowSolved(bool solved) override;

    TRefrigLib& Lib_;
    QString ProgramFile_;
    bool FirstActivation_ = true;
    bool ReturnActivates_ = false;
    bool Closed_ = false;
    bool SimulationStarted_ = false; // this Solve's simulation cleared the steps
};
