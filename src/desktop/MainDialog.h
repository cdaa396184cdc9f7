// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "desktop/HelpWindow.h"
#include "desktop/OrbGraphic.h"
#include "desktop/ProgramSettings.h"
#include "job/ConversionJob.h"

class CInputFile;
class COrb;
class IPrompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// Object names of the main dialog's controls (each also carries its numeric
// id in the property "controlId").
namespace MainDialogControl {
inline constexpr const char* kInputFile = "inputFile";            // 1000
inline constexpr const char* kOutputFile = "outputFile";          // 1002
inline constexpr const char* kConfigFile = "configFile";          // 1003
inline constexpr const char* kBrowseInput = "browseInput";        // 1004
inline constexpr const char* kBrowseOutput = "browseOutput";      // 1006
inline constexpr const char* kBrowseConfig = "browseConfig";      // 1008
inline constexpr const char* kEdit = "editConfig";                // 1010
inline constexpr const char* kPreview = "preview";                // 1012
inline constexpr const char* kDisplay = "display";                // 1015
inline constexpr const char* kInvertX = "invertX";                // 1058
inline constexpr const char* kInvertY = "invertY";                // 1060
inline constexpr const char* kExport = "export";                  // 1071
inline constexpr const char* kJobNumber = "jobNumber";            // 1104
inline constexpr const char* kJobName = "jobName";                // 1106
inline constexpr const char* kCustomer = "customer";              // 1108
inline constexpr const char* kJobNumberLabel = "jobNumberLabel";  // 1110
inline constexpr const char* kJobNameLabel = "jobNameLabel";      // 1112
inline constexpr const char* kCustomerLabel = "customerLabel";    // 1114
inline constexpr const char* kConvert = "convert";                // 3
inline constexpr const char* kExit = "exit";                      // 2
inline constexpr const char* kHelp = "help";                      // 57670
inline constexpr const char* kAboutAction = "aboutAction";
// The drop-down lists of recent entries of the input and configuration
// fields (their buttons at the fields' right ends, or Alt+Down).
inline constexpr const char* kRecentInputs = "recentInputs";
inline constexpr const char* kRecentConfigs = "recentConfigs";
}  // namespace MainDialogControl

// "Kelconv Conversion Utility": the main dialog of the desktop program. It
// holds the three paths of a conversion and runs the actions of its
// buttons; every question it asks goes through `prompts`.
//
// Convert, Export, Preview and Display first take the values of the
// controls into the members (so ConfigFile() is the configuration path as
// last taken) and put the input and configuration paths at the top of the
// recent lists; the Browse buttons write only their edits; Edit... reads
// only the configuration edit (and puts it in its recent list).
//
// Escape does not close the dialog (Exit and the window's close box do).
// Files dropped on the dialog fill its fields: drawings (.orb, .dxf, .pdf)
// the input, several of them as a list of quoted paths, a .cfg file the
// configuration. Each chooser starts in the folder of its field, else where
// it was last used, else the home folder (ChooserPaths.h); the output
// chooser suggests a name after the input when the output is empty.
class CMainDialog : public QDialog {
  Q_OBJECT

 public:
  // `discardListPath`: the discard list, read anew by every action.
  CMainDialog(IPrompts& prompts, std::string discardListPath,
              QWidget* parent = nullptr);
  ~CMainDialog() override;

  // The configuration path as the dialog last took it from its controls.
  const QString& ConfigFile() const { return m_strConfigFile; }
  // Sets the configuration path (member and edit), as at opening.
  void SetConfigFile(const QString& path);

  // The fields as shown, and setting them (not the members).
  SDialogFields Fields() const;
  void SetFields(const SDialogFields& fields);

  // The actions of the buttons.
  void OnBrowseInput();
  void OnBrowseOutput();
  void OnBrowseConfig();
  void OnDisplay();
  void OnPreview();
  void OnEdit();
  void OnConvert();
  void OnExport();
  void OnHelp();
  void OnAbout();

  // The open graphic display and its document, or nullptr.
  COrbGraphic* Graphic() const { return m_pGraphic.data(); }
  const COrb* DisplayedDocument() const { return m_pOrb.get(); }
  // The help window once Help was pressed, or nullptr.
  CHelpWindow* HelpWindow() const { return m_pHelp.data(); }
  // The conversion report of the last preview shown (its "Details..."), as
  // text; empty when the last Preview showed none.
  const QString& PreviewReport() const { return m_strPreviewReport; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void TakeControlValues();
  // Convert or Export: the conversion job over every file of the input
  // text, closed by one message that says what became of them.
  void RunConversion(OutputKind kind, int headerOption);
  void ShowMessage(const QString& text, MessageLevel level);
  // "Please specify a valid input file.", then the file that cannot be read
  // (when there is one) and the system's reason `error`; or what the DXF or
  // PDF reader said about it.
  void ShowInvalidInput(const std::string& path, int error,
                        const std::string& readerMessage = "");
  // Refills both recent drop-downs from the settings.
  void RefreshRecentMenus();
  // Where the output chooser (or the preview's Save, as `chooser`) starts.
  QString OutputStart(const char* chooser, const QString& suffix) const;
  // For a PDF of several pages, asks which page to show (page 1 first);
  // false when the user cancelled. `page` is 0-based.
  bool ChoosePage(CInputFile& input, size_t& page);
  void OnGraphicClosed();
  void CleanJobNumber();
  void CleanJobText(QLineEdit* edit);

  IPrompts& m_prompts;
  std::string m_strDiscardListPath;

  QString m_strConfigFile;
  QString m_strInputFile;
  QString m_strOutputFile;
  bool m_bInvertX = false;
  bool m_bInvertY = false;
  QString m_strJobName;
  QString m_strJobNumber;
  QString m_strCustomer;

  QPointer<COrbGraphic> m_pGraphic;
  std::unique_ptr<COrb> m_pOrb;
  // "Show table" of the graphic display, kept for the next Display.
  bool m_bShowTable = false;
  QString m_strPreviewReport;
  // The later of Convert and Export was Export: the output chooser offers
  // export files.
  bool m_bExporting = false;
  QPointer<CHelpWindow> m_pHelp;

  QLineEdit* m_pInputEdit;
  QLineEdit* m_pOutputEdit;
  QLineEdit* m_pConfigEdit;
  QLineEdit* m_pJobNumberEdit;
  QLineEdit* m_pJobNameEdit;
  QLineEdit* m_pCustomerEdit;
  QCheckBox* m_pInvertX;
  QCheckBox* m_pInvertY;
  QMenu* m_pRecentInputs;
  QMenu* m_pRecentConfigs;
};
