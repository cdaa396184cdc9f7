// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a PDF with Qt's PDF writer: one page per .orb file given, each text
// drawn at the left end of its baseline, 7 points to a drawing unit.
//
//   make_qt_pdf OUT.pdf IN.orb... (build target make_qt_pdf; its output,
//   sample-qt.pdf, is committed and the tests never run it)
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Text {
  double x;
  double y;
  QString text;
};

std::vector<Text> ReadOrb(const QString& path) {
  std::vector<Text> texts;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return texts;
  const QRegularExpression entity(
      R"(^\s*\(([-\d.]+) ([-\d.]+) [-\d.]+\),(.*?)\s*$)");
  while (!file.atEnd()) {
    const QString line = QString::fromLatin1(file.readLine());
    const QRegularExpressionMatch match = entity.match(line);
    if (match.hasMatch()) {
      texts.push_back({match.captured(1).toDouble(),
                       match.captured(2).toDouble(), match.captured(3)});
    }
  }
  return texts;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_qt_pdf OUT.pdf IN.orb...\n");
    return 2;
  }
  constexpr double kUnit = 7.0;  // points per drawing unit
  constexpr double kHeight = 1.2 * kUnit;
  QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
  writer.setResolution(72);  // device units are points
  writer.setCreator("Kelconv test drawings");
  QPainter painter;
  for (int arg = 2; arg < argc; ++arg) {
    const std::vector<Text> texts = ReadOrb(QString::fromLocal8Bit(argv[arg]));
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (const Text& t : texts) {
      left = std::min(left, t.x), right = std::max(right, t.x);
      bottom = std::min(bottom, t.y), top = std::max(top, t.y);
    }
    left -= 5, right += 25, bottom -= 5, top += 5;
    writer.setPageSize(QPageSize(
        QSizeF((right - left) * kUnit, (top - bottom) * kUnit),
        QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (arg == 2) {
      painter.begin(&writer);
    } else {
      writer.newPage();
    }
    QFont font("DejaVu Sans");
    font.setPointSizeF(kHeight);
    painter.setFont(font);
    for (const Text& t : texts) {
      painter.drawText(QPointF((t.x - left) * kUnit, (top - t.y) * kUnit),
                       t.text);
    }
  }
  painter.end();
  return 0;
}
