#pragma once
// A one-line text box placed at a fixed design height.

#include <QLineEdit>

namespace pointilla::editing {

// QLineEdit centres its line on the taller of the font's line height and its
// text's bounding box. Windows' font engine gives any text the font's whole
// GDI cell as bounding box, which for some faces is several lines tall (the
// math face Wine falls back on without its own fonts: 46 pixels at 8 points);
// in a 21-pixel box the line then starts above the box and nothing of it is
// drawn. This box centres on the line height alone, where QLineEdit puts
// the text with ordinary fonts, so its text stays in sight whatever the face.
class DesignTextBox : public QLineEdit {
  public:
    explicit DesignTextBox(QWidget* parent = nullptr) : QLineEdit(parent) { centreOnLineHeight(); }
    DesignTextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
        centreOnLineHeight();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void centreOnLineHeight();
};

}  // namespace pointilla::editing
