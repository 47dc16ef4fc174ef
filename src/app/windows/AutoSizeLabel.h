// A label that sizes itself to its caption, keeping its top-left corner, as
// every label of the layouts does.
#pragma once

#include <QLabel>

namespace app {

class AutoSizeLabel : public QLabel {
  public:
    AutoSizeLabel(const QString& text, QWidget* parent);

    // Sets the caption and fits the width to it; the height stays.
    void setCaption(const QString& text);
};

} // namespace app
