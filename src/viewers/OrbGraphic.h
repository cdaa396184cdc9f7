#pragma once

#include <QWidget>

class COrb;

// "Orb File": a top-level window that paints the texts of one document where
// they stand on the drawing, scaled to its client area (see DrawOrbTexts).
// It is created hidden and does not own the document. When the user closes
// it, it emits Closed (the owner then lets the document go) and deletes
// itself.
class COrbGraphic : public QWidget {
  Q_OBJECT

 public:
  // `owner`: the window it belongs to (it stays above it and goes with it).
  explicit COrbGraphic(QWidget* owner = nullptr);

  // The document to paint, or nullptr; it must outlive its use here.
  void SetDocument(const COrb* orb);
  const COrb* Document() const { return m_pOrb; }

 signals:
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const COrb* m_pOrb = nullptr;
};
