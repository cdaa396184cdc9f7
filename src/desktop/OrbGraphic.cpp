// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbGraphic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
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
  m_pShowTable = new QCheckBox(QStringLiteral("Show table"), m_pBar);
  m_pShowTable->setObjectName(QStringLiteral("showTable"));
  m_pShowTable->setEnabled(false);
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
  resize(800, 600);
}

COrbGraphic::~COrbGraphic() = default;

void COrbGraphic::SetDocument(const COrb* orb) {
  m_pOrb = orb;
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
  const QRect area = DrawingArea();
  if (m_pTable == nullptr || m_pTable->m_status != OverlayStatus::kApplies) {
    DrawOrbTexts(painter, area, *m_pOrb);
    return;
  }
  const SOverlayLayout layout =
      LayoutTableOverlay(*m_pTable, m_pOrb->m_texts, m_bInvertX, m_bInvertY,
                         area, QFontMetrics(painter.font()));
  painter.setClipRect(area);
  DrawTableBands(painter, layout);
  painter.setPen(OverlayColour(OverlayInk::kDisplayed));
  DrawOrbTexts(painter, layout.m_textArea, *m_pOrb);
  DrawTableMarks(painter, layout);
}

void COrbGraphic::closeEvent(QCloseEvent* event) {
  m_pOrb = nullptr;
  emit Closed();
  event->accept();
}
