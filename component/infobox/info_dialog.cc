#include "info_dialog.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QStyle>

namespace quandor::infobox {
namespace {

// The window was laid out in twips (1/1440 inch); it keeps its physical
// proportions on every screen by converting with the screen's logical DPI.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

constexpr int kClientWidth = 4680;
// One line below the original five names the bank data's edition.
constexpr int kClientHeight = 3435;
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 4335;
constexpr TwipsRect kLabel1{kLabelLeft, 120, kLabelWidth, 495};
constexpr TwipsRect kLabel2{kLabelLeft, 720, kLabelWidth, 495};
constexpr TwipsRect kLabel3{kLabelLeft, 1320, kLabelWidth, 495};
constexpr TwipsRect kLabel4{kLabelLeft, 1800, kLabelWidth, 255};
constexpr TwipsRect kLabel5{kLabelLeft, 2160, kLabelWidth, 255};
constexpr TwipsRect kLabel6{kLabelLeft, 2460, kLabelWidth, 255};
constexpr TwipsRect kOkButton{1320, 2880, 1815, 375};

int ToPixels(int twips, qreal dpi) { return qRound(twips * dpi / 1440.0); }

QRect ToPixels(const TwipsRect& r, qreal dpi_x, qreal dpi_y) {
  return {ToPixels(r.left, dpi_x), ToPixels(r.top, dpi_y), ToPixels(r.width, dpi_x),
          ToPixels(r.height, dpi_y)};
}

// The platform's default sans-serif face in the given size and weight.
QFont SansSerif(qreal points, bool bold) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

enum class Lines { kOne, kWrapped };

QLabel* MakeLabel(QWidget* parent, const char* name, const TwipsRect& place, Lines lines,
                  qreal dpi_x, qreal dpi_y) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(ToPixels(place, dpi_x, dpi_y));
  label->setTextFormat(Qt::PlainText);  // version data is shown as written, never as markup
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(lines == Lines::kWrapped);
  return label;
}

bool Fits(const QLabel& label, const QFont& font) {
  const QRect box = label.contentsRect();
  const int flags = label.wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
  const QRect needed =
      QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 1 << 20), flags, label.text());
  return needed.width() <= box.width() && needed.height() <= box.height();
}

// The places were made for a narrow face; with a wider one a text would be
// cut off. It gets the nominal font when that fits, else the largest smaller
// size that does, down to a floor where legibility would suffer more.
void FitText(QLabel* label, const QFont& nominal) {
  constexpr qreal kSmallestPoints = 6.0;
  constexpr qreal kStep = 0.25;
  QFont font = nominal;
  while (!Fits(*label, font) && font.pointSizeF() - kStep >= kSmallestPoints) {
    font.setPointSizeF(font.pointSizeF() - kStep);
  }
  label->setFont(font);
}

}  // namespace

InfoDialog::InfoDialog() {
  setObjectName(QStringLiteral("frmInfo"));
  setWindowTitle(QStringLiteral("Quandor Info"));
  setWindowIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  const QScreen* shown_on = screen();
  const qreal dpi_x = shown_on != nullptr ? shown_on->logicalDotsPerInchX() : 96.0;
  const qreal dpi_y = shown_on != nullptr ? shown_on->logicalDotsPerInchY() : 96.0;
  setFixedSize(ToPixels(kClientWidth, dpi_x), ToPixels(kClientHeight, dpi_y));

  Label1 = MakeLabel(this, "Label1", kLabel1, Lines::kOne, dpi_x, dpi_y);
  Label1->setText(QStringLiteral("Prüfziffer-Software"));
  FitText(Label1, SansSerif(24, true));
  Label2 = MakeLabel(this, "Label2", kLabel2, Lines::kWrapped, dpi_x, dpi_y);
  Label3 = MakeLabel(this, "Label3", kLabel3, Lines::kWrapped, dpi_x, dpi_y);
  Label4 = MakeLabel(this, "Label4", kLabel4, Lines::kOne, dpi_x, dpi_y);
  Label5 = MakeLabel(this, "Label5", kLabel5, Lines::kOne, dpi_x, dpi_y);
  Label6 = MakeLabel(this, "Label6", kLabel6, Lines::kOne, dpi_x, dpi_y);

  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setGeometry(ToPixels(kOkButton, dpi_x, dpi_y));
  btnOK->setDefault(true);
  // Hidden, not closed for good: the next ShowInfo shows this window again.
  connect(btnOK, &QPushButton::clicked, this, &QWidget::hide);
}

void InfoDialog::Fill(const QuandorInfoTexts& texts) {
  Label2->setText(QString::fromUtf8(texts.file_description));
  Label3->setText(QString::fromUtf8(texts.copyright_notice));
  Label4->setText(QStringLiteral("Version: ") + QString::fromUtf8(texts.version));
  Label5->setText(QString::fromUtf8(texts.comments));
  Label6->setText(QString::fromUtf8(texts.data_edition));
  FitText(Label2, SansSerif(8.25, true));
  for (QLabel* label : {Label3, Label4, Label5, Label6}) FitText(label, font());
}

void InfoDialog::display(const QuandorInfoTexts& texts) {
  Fill(texts);
  exec();
}

}  // namespace quandor::infobox
