// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/StandardButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>

void SetStandardMnemonics(QDialogButtonBox& box) {
  const struct {
    QDialogButtonBox::StandardButton which;
    const char* text;
  } texts[] = {{QDialogButtonBox::Ok, "&OK"},
               {QDialogButtonBox::Cancel, "&Cancel"},
               {QDialogButtonBox::Close, "&Close"}};
  for (const auto& entry : texts) {
    if (QPushButton* button = box.button(entry.which)) {
      button->setText(QString::fromLatin1(entry.text));
    }
  }
}
