// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbGraphic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "input/Orb.h"
#include "desktop/OrbDrawing.h"
#include "desktop/TableOverlay.h"
#include "desktop/TableOverlayDrawing.h"

namespace {

// A small square of the colours an entry of the legend stands for.
QLabel* Swatch(QWidget* parent, const QColor& first, const QColor& second) {
  QPixmap pixmap(12, 12);
  pixmap.fill(first);
  QPainter painter(&pixmap);
  painter.fillRect(0, 6, 12, 6, second);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(0, 0, 11, 11);
  painter.end();
  auto* swatch = new QLabel(parent);
  swatch->setPixmap(pixmap);
  return swatch;
}

QWidget* MakeLegend(QWidget* parent) {
  auto* legend = new QWidget(parent);
  legend->setObjectName(QStringLiteral("tableLegend"));
  auto* layout = new QHBoxLayout(legend);
  layout->setContentsMargins(0, 0, 0, 0);
  const struct {
    QColor first, second;
    const char* text;
  } entries[] = {
      {OverlayColour(OverlayInk::kCell), OverlayColour(OverlayInk::kCell),
       "in a cell"},
      {OverlayColour(OverlayInk::kUnplaced),
       OverlayColour(OverlayInk::kUnplaced), "in no row, or lost its cell"},
      {OverlayColour(OverlayInk::kHeader), OverlayColour(OverlayInk::kHeader),
       "header: column type"},
      {RowBandColour(0), RowBandColour(1), "rows"},
      {OverlayColour(OverlayInk::kDisplayed),
       OverlayColour(OverlayInk::kDisplayed), "cut by the discard list"},
  };
  for (const auto& entry : entries) {
    layout->addWidget(Swatch(legend, entry.first, entry.second));
    layout->addWidget(new QLabel(QString::fromLatin1(entry.text), legend));
    layout->addSpacing(8);
  }
  layout->addStretch(1);
  return legend;
}

}  // namespace

COrbGraphic::COrbGraphic(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("COrbGraphic"));
  setWindowTitle(QStringLiteral("Orb File"));
  setAttribute(Qt::WA_DeleteOnClose);

  m_pBar = new QWidget(this);
  m_pShowTable = new QCheckBox(QStringLiteral("Show &table"), m_pBar);
  m_pShowTable->setObjectName(QStringLiteral("showTable"));
  m_pShowTable->setEnabled(false);
  m_pFit = new QPushButton(QStringLiteral("&Fit"), m_pBar);
  m_pFit->setObjectName(QStringLiteral("fit"));
  m_pFit->setToolTip(QStringLiteral("The whole drawing (Home)"));
  m_pStatus = new QLabel(m_pBar);
  m_pStatus->setObjectName(QStringLiteral("tableStatus"));
  m_pStatus->setWordWrap(true);
  m_pLegend = MakeLegend(m_pBar);
  m_pLegend->hide();

  auto* rule = new QFrame(m_pBar);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  auto* line = new QHBoxLayout;
  line->addWidget(m_pShowTable);
  line->addSpacing(12);
  line->addWidget(m_pStatus, 1);
  line->addWidget(m_pFit);
  auto* bar = new QVBoxLayout(m_pBar);
  bar->setContentsMargins(6, 0, 6, 4);
  bar->addWidget(rule);
  bar->addLayout(line);
  bar->addWidget(m_pLegend);

  // The texts are painted on the window itself, above the bar.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch(1);
  layout->addWidget(m_pBar);

  connect(m_pShowTable, &QCheckBox::toggled, this, &COrbGraphic::OnShowTable);
  connect(m_pFit, &QPushButton::clicked, this, &COrbGraphic::Fit);
  setCursor(Qt::OpenHandCursor);
  m_pBar->setCursor(Qt::ArrowCursor);
  setFocusPolicy(Qt::StrongFocus);  // for the keys of the zoom
  resize(800, 600);
}

COrbGraphic::~COrbGraphic() = default;

void COrbGraphic::SetDocument(const COrb* orb) {
  m_pOrb = orb;
  m_nLinePitch = -1;
  update();
}

void COrbGraphic::ZoomAt(QPointF at, double factor) {
  if (m_pOrb == nullptr) return;
  const QRect area = DrawingArea();
  // The point of the picture under `at`, in pixels of the fit picture.
  const QPointF from = at - QPointF(area.topLeft()) - m_view.m_offset;
  const QPointF point(from.x() / m_view.m_zoomX, from.y() / m_view.m_zoomY);
  m_dZoom = std::clamp(m_dZoom * factor, 1.0, kMaxZoom);
  SetZoomLevel(m_view, m_dZoom, m_pOrb->m_texts, area.size());
  m_view.m_offset = at - QPointF(area.topLeft()) -
                    QPointF(point.x() * m_view.m_zoomX,
                            point.y() * m_view.m_zoomY);
  update();
}

void COrbGraphic::Fit() {
  m_dZoom = 1.0;
  m_view = SPictureView();
  update();
}

void COrbGraphic::SetTableSource(TableSource source, bool invertX,
                                 bool invertY) {
  m_tableSource = std::move(source);
  m_bInvertX = invertX;
  m_bInvertY = invertY;
  m_pShowTable->setEnabled(static_cast<bool>(m_tableSource));
}

void COrbGraphic::SetShowTable(bool show) { m_pShowTable->setChecked(show); }

QRect COrbGraphic::DrawingArea() const {
  QRect area = rect();
  area.setBottom(std::max(area.top(), m_pBar->geometry().top()) - 1);
  return area;
}

void COrbGraphic::OnShowTable(bool show) {
  m_pTable.reset();
  if (show && m_tableSource) {
    try {
      m_pTable = std::make_unique<CTableOverlay>(m_tableSource());
    } catch (const std::exception&) {
      m_pTable = std::make_unique<CTableOverlay>();  // reads as "no input"
    }
  }
  m_pStatus->setText(m_pTable != nullptr
                         ? QString::fromStdString(OverlayStatusText(*m_pTable))
                         : QString());
  m_pLegend->setVisible(m_pTable != nullptr &&
                        m_pTable->m_status == OverlayStatus::kApplies);
  update();
  emit ShowTableToggled(show);
}

void COrbGraphic::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBackgroundMode(Qt::TransparentMode);
  if (m_pOrb == nullptr) return;
  if (m_nLinePitch < 0) m_nLinePitch = TypicalLinePitch(m_pOrb->m_texts);
  const QRect area = DrawingArea();
  painter.setClipRect(area);
  if (m_pTable == nullptr || m_pTable->m_status != OverlayStatus::kApplies) {
    DrawOrbTexts(painter, ZoomedPicture(area, m_view), *m_pOrb, area,
                 m_nLinePitch);
    return;
  }
  const SOverlayLayout layout =
      LayoutTableOverlay(*m_pTable, m_pOrb->m_texts, m_bInvertX, m_bInvertY,
                         area, QFontMetrics(painter.font()), m_view);
  DrawTableBands(painter, layout);
  painter.setPen(OverlayColour(OverlayInk::kDisplayed));
  DrawOrbTexts(painter, layout.m_picture, *m_pOrb, layout.m_textArea,
               m_nLinePitch);
  DrawTableMarks(painter, layout,
                 TextsAsDots(m_pOrb->m_texts, layout.m_picture, m_nLinePitch));
}

void COrbGraphic::wheelEvent(QWheelEvent* event) {
  // A notch of the wheel (120) zooms by a quarter.
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0.0) return;
  ZoomAt(event->position(), std::pow(1.25, notches));
  event->accept();
}

void COrbGraphic::keyPressEvent(QKeyEvent* event) {
  const QPointF middle = QRectF(DrawingArea()).center();
  const bool control = event->modifiers().testFlag(Qt::ControlModifier);
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      if (!control) break;
      ZoomAt(middle, 2.0);
      return;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      if (!control) break;
      ZoomAt(middle, 0.5);
      return;
    case Qt::Key_Home:
      Fit();
      return;
    default:
      break;
  }
  QWidget::keyPressEvent(event);
}

void COrbGraphic::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_dragFrom = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void COrbGraphic::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragFrom) return QWidget::mouseMoveEvent(event);
  m_view.m_offset += event->position() - *m_dragFrom;
  m_dragFrom = event->position();
  update();
}

void COrbGraphic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return QWidget::mouseReleaseEvent(event);
  }
  m_dragFrom.reset();
  setCursor(Qt::OpenHandCursor);
}

void COrbGraphic::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return QWidget::mouseDoubleClickEvent(event);
  }
  Fit();
}

void COrbGraphic::closeEvent(QCloseEvent* event) {
  m_pOrb = nullptr;
  emit Closed();
  event->accept();
}
