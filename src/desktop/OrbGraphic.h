// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "desktop/OrbDrawing.h"

class COrb;
class QCheckBox;
class QLabel;
class QPushButton;
struct CTableOverlay;

// "Orb File" (the main dialog adds " - " and the file's name to the title):
// a top-level window that paints the texts of one document where
// they stand on the drawing, scaled to its drawing area (see DrawOrbTexts).
// It is created hidden and does not own the document. When the user closes
// it, it emits Closed (the owner then lets the document go) and deletes
// itself.
//
// Under the drawing, the check box "Show table" (off at first) draws the
// table a conversion job rebuilds from the same file over the texts (see
// TableOverlayDrawing.h), with a legend; a status line says how the table
// was built, or why none could be.
//
// The picture opens as "Fit" (zoom 1, the whole drawing). The mouse wheel
// zooms around the pointer, Ctrl+plus and Ctrl+minus around the middle;
// dragging moves the picture; Home, a double-click or the button "Fit" go
// back to the whole drawing. Zooming moves the texts apart, their font
// stays: a row of a dense drawing becomes readable. Lines of texts closer
// than a pixel are drawn as dots.
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

  // The zoom level (1: "Fit"; see SetZoomLevel) and the view of the
  // picture it gives.
  double Zoom() const { return m_dZoom; }
  const SPictureView& View() const { return m_view; }
  // Zooms by `factor` (the level stays within 1 and kMaxZoom), keeping the
  // point `at` of the window over the same point of the picture.
  void ZoomAt(QPointF at, double factor);
  void Fit();
  QPushButton* FitButton() const { return m_pFit; }

 signals:
  void Closed();
  void ShowTableToggled(bool show);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void OnShowTable(bool show);

  const COrb* m_pOrb = nullptr;
  TableSource m_tableSource;
  bool m_bInvertX = false;
  bool m_bInvertY = false;
  std::unique_ptr<CTableOverlay> m_pTable;
  double m_dZoom = 1.0;
  SPictureView m_view;
  // Where a drag last was, while the left button is down.
  std::optional<QPointF> m_dragFrom;
  // TypicalLinePitch of the document, once painted (-1 before).
  int64_t m_nLinePitch = -1;

  QWidget* m_pBar;
  QCheckBox* m_pShowTable;
  QPushButton* m_pFit;
  QLabel* m_pStatus;
  QWidget* m_pLegend;
};
