// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class COrb;
class QCheckBox;
class QLabel;
struct CTableOverlay;

// "Orb File": a top-level window that paints the texts of one document where
// they stand on the drawing, scaled to its drawing area (see DrawOrbTexts).
// It is created hidden and does not own the document. When the user closes
// it, it emits Closed (the owner then lets the document go) and deletes
// itself.
//
// Under the drawing, the check box "Show table" (off at first) draws the
// table a conversion job rebuilds from the same file over the texts (see
// TableOverlayDrawing.h), with a legend; a status line says how the table
// was built, or why none could be.
class COrbGraphic : public QWidget {
  Q_OBJECT

 public:
  // Builds the table of the displayed file as a conversion job would.
  using TableSource = std::function<CTableOverlay()>;

  // `owner`: the window it belongs to (it stays above it and goes with it).
  explicit COrbGraphic(QWidget* owner = nullptr);
  ~COrbGraphic() override;

  // The document to paint, or nullptr; it must outlive its use here.
  void SetDocument(const COrb* orb);
  const COrb* Document() const { return m_pOrb; }

  // Enables "Show table": `source` is asked for the table each time the box
  // is checked. `invertX` / `invertY`: the mirror options the document was
  // read with, so that the table is mirrored the same way. Without a source
  // the box stays disabled.
  void SetTableSource(TableSource source, bool invertX, bool invertY);
  // Checks or unchecks "Show table", as a click would.
  void SetShowTable(bool show);
  // The table drawn, or nullptr while "Show table" is off.
  const CTableOverlay* Table() const { return m_pTable.get(); }

  QCheckBox* ShowTableBox() const { return m_pShowTable; }
  QLabel* StatusLine() const { return m_pStatus; }
  QWidget* Legend() const { return m_pLegend; }
  // Where the texts are painted: the window above its check box.
  QRect DrawingArea() const;

 signals:
  void Closed();
  void ShowTableToggled(bool show);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnShowTable(bool show);

  const COrb* m_pOrb = nullptr;
  TableSource m_tableSource;
  bool m_bInvertX = false;
  bool m_bInvertY = false;
  std::unique_ptr<CTableOverlay> m_pTable;

  QWidget* m_pBar;
  QCheckBox* m_pShowTable;
  QLabel* m_pStatus;
  QWidget* m_pLegend;
};
