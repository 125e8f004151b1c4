#include "ui/TForm4.h"

#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>

#include "ui/AddressKind.h"
#include "ui/CategoryCaption.h"
#include "ui/ColorValueQt.h"
#include "ui/DialogPlacement.h"
#include "ui/MapLink.h"
#include "ui/WindowFont.h"

// The pictures are compiled into this static library; naming their
// initialiser here makes the linker keep them in every program using it.
static void InitDialogImages() {
  Q_INIT_RESOURCE(DialogImages);
}

namespace tolvik {

namespace {

// Character heights in pixels; the dialog's own font is the windows' 8 pt
// (11 px), which the kind labels keep.
constexpr int kCategoryPixels = 16;
constexpr int kBoxPixels = 13;  // time, the three boxes and what they hold
constexpr int kKindPixels = 11;

// Layout in pixels within each control's parent.
constexpr int kPictureWidth = 17;
constexpr int kPictureHeight = 16;
constexpr int kArrowSize = 16;
constexpr int kStationBoxTop = 28;
constexpr int kStationBoxWidth = 161;
constexpr int kStationBoxHeight = 60;
constexpr int kFromBoxLeft = 8;
constexpr int kToBoxLeft = 198;
constexpr int kKindLabelWidth = 140;
constexpr int kDataLineWidth = 330;

constexpr const char* kNoInformationText = "No information data";
constexpr const char* kNoPositionText = "No position data";

// The image list's pictures in the order of their indices, then the arrow.
constexpr const char* kPictureFiles[kInformationPictureCount] = {
    ":/images/ship.png",
    ":/images/coast.png",
    ":/images/group.png",
    ":/images/request.png",
    ":/images/acknowledgement.png",
    ":/images/no-acknowledgement.png",
    ":/images/aircraft.png",
    ":/images/area.png",
};
constexpr const char* kArrowFile = ":/images/from-to-arrow.png";

QFont SizedFont(int pixels, bool bold = false) {
  QFont font = WindowFont();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetTextColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

// A label of fixed width whose height follows its font.
QLabel* FixedLabel(QWidget* parent, int left, int top, int width) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(left, top, width, label->sizeHint().height());
  return label;
}

// A label that takes the size of its text, as the category and time do.
QLabel* AutoSizeLabel(QWidget* parent, int left, int top, const char* caption) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLabel* PictureBox(QWidget* parent, int left, int top, int width, int height) {
  auto* image = new QLabel(parent);
  image->setGeometry(left, top, width, height);
  return image;
}

// The labels that are not of fixed size grow and shrink with their text.
void SetAutoSizedText(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

}  // namespace

TForm4::TForm4(const ReceiveList& list, std::filesystem::path mid_file, QWidget* owner)
    : QDialog(owner),
      list_(list),
      mid_file_(std::move(mid_file)),
      owner_(owner),
      open_link_([](const QUrl& link) { QDesktopServices::openUrl(link); }) {
  setWindowTitle("DSC information");
  setWindowFlag(Qt::Window);
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  InitDialogImages();
  for (int index = 0; index < kInformationPictureCount; ++index) {
    ImageList1[index] = QPixmap(kPictureFiles[index]);
  }
  CreateControls();
  Timer1.setInterval(kBlinkIntervalMs);
  connect(&Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
}

void TForm4::CreateControls() {
  Label1 = AutoSizeLabel(this, 8, 8, "Category");
  Label1->setFont(SizedFont(kCategoryPixels, true));
  Label1->adjustSize();
  Label2 = AutoSizeLabel(this, 283, 11, "00:00:00");
  Label2->setFont(SizedFont(kBoxPixels));
  Label2->adjustSize();
  Image4 = PictureBox(this, 342, 11, kPictureWidth, kPictureHeight);
  GroupBox1 = CreateStationBox("From", kFromBoxLeft, Image1, Label3, Label4);
  Image3 = PictureBox(this, 175, 55, kArrowSize, kArrowSize);
  Image3->setPixmap(QPixmap(kArrowFile));
  GroupBox2 = CreateStationBox("To", kToBoxLeft, Image2, Label5, Label6);

  GroupBox3 = new QGroupBox("Data", this);
  GroupBox3->setFont(SizedFont(kBoxPixels));
  GroupBox3->setGeometry(8, 91, 353, 73);
  Label7 = FixedLabel(GroupBox3, 11, 16, kDataLineWidth);
  Label8 = FixedLabel(GroupBox3, 11, 33, kDataLineWidth);
  Label9 = FixedLabel(GroupBox3, 11, 50, kDataLineWidth);
  Label9->installEventFilter(this);
}

QGroupBox* TForm4::CreateStationBox(const char* caption, int left, QLabel*& image, QLabel*& station,
                                    QLabel*& kind) {
  auto* box = new QGroupBox(caption, this);
  box->setFont(SizedFont(kBoxPixels));
  box->setGeometry(left, kStationBoxTop, kStationBoxWidth, kStationBoxHeight);
  image = PictureBox(box, 135, 17, kPictureWidth, kPictureHeight);
  station = AutoSizeLabel(box, 11, 17, "");
  kind = FixedLabel(box, 11, 36, kKindLabelWidth);
  kind->setFont(SizedFont(kKindPixels));
  kind->resize(kKindLabelWidth, kind->sizeHint().height());
  return box;
}

void TForm4::LoadEntry(int row, DistressKind kind) {
  if (row < 0 || row >= list_.Count()) {
    return;
  }
  loaded_row_ = row;
  const ReceiveEntry& entry = list_.Row(row);
  LoadCategory(entry);
  SetAutoSizedText(Label2, QString::fromStdString(entry.Time));
  LoadStation(entry.From, Label3, Label4, Image1);
  LoadStation(entry.To, Label5, Label6, Image2);
  Image4->setPixmap(Picture(AckPicture(entry.Ack)));
  Label7->setText(QString::fromStdString(entry.RequestStatus));
  Label8->setText(entry.Information.empty() ? QString(kNoInformationText)
                                            : QString::fromStdString(entry.Information));
  LoadPosition(entry);
  if (kind == DistressKind::None) {
    Timer1.stop();
  } else {
    Timer1.start();
  }
}

void TForm4::LoadCategory(const ReceiveEntry& entry) {
  const CategoryCaption caption = CaptionOfCategory(entry.Category, entry.Information, entry.Ack);
  SetAutoSizedText(Label1, QString::fromStdString(caption.Text));
  SetTextColour(Label1, ToQColor(caption.Colour));
  saved_category_text_ = Label1->text();
}

void TForm4::LoadStation(const std::string& address, QLabel* station, QLabel* kind, QLabel* image) {
  SetAutoSizedText(station, QString::fromStdString(address));
  const AddressKind address_kind = ClassifyAddress(address);
  const std::string country = HasCountry(address_kind) ? CountryOfAddress(mid_file_, address) : "";
  kind->setText(QString::fromStdString(KindLabelText(address_kind, country)));
  if (const auto picture = KindPicture(address_kind)) {
    image->setPixmap(Picture(*picture));
  } else {
    image->clear();
  }
}

void TForm4::LoadPosition(const ReceiveEntry& entry) {
  // The line looks like a link whenever there is a position text, even one
  // no link can be made of: the styling says "position", not "link works".
  const bool has_position = !entry.Position.empty();
  Label9->setText(has_position ? QString::fromStdString(entry.Position) : QString(kNoPositionText));
  map_link_ = has_position ? MapLinkOfPosition(entry.Position, entry.From) : std::string();
  QFont font = Label9->font();
  font.setUnderline(has_position);
  Label9->setFont(font);
  SetTextColour(Label9, has_position ? QColor(Qt::blue) : QColor(Qt::black));
  Label9->setCursor(has_position ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TForm4::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TForm4::Label9Click() {
  if (!map_link_.empty() && open_link_) {
    open_link_(QUrl(QString::fromStdString(map_link_)));
  }
}

void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm4::FormShow() {
  const QRect desktop = DesktopRectangle();
  const QRect owner = owner_ != nullptr ? owner_->frameGeometry() : desktop;
  const QSize size = frameGeometry().size();
  move(KeptInside(QRect(CentredOn(owner, size), size), desktop));
}

void TForm4::hideEvent(QHideEvent* event) {
  FormClose();
  QDialog::hideEvent(event);
}

void TForm4::FormClose() {
  // However the dialog leaves the screen, the alert has been seen.
  Timer1.stop();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label9 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label9Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm4::Timer1Timer() {
  SetAutoSizedText(Label1, Label1->text().isEmpty() ? saved_category_text_ : QString());
}

}  // namespace tolvik
