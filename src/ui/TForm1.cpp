#include "ui/TForm1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include <fstream>

#include "audio/device/CaptureDevice.h"
#include "audio/device/MonitorOutput.h"
#include "audio/input/InputError.h"
#include "list/ReceiveColumns.h"
#include "settings/SettingsStore.h"
#include "ui/ColorValueQt.h"
#include "ui/DefaultLogFolder.h"
#include "ui/SpectrumStrip.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/WindowFont.h"

namespace tolvik {

namespace {

// How often the outputs' news is looked at while capture is stopped.
constexpr int kOutputReportsIntervalMs = 250;
constexpr int kButtonTop = 2;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 28;
constexpr int kButtonStep = 76;  // left edges 4, 80, 156, 232
constexpr int kFirstButtonLeft = 4;
constexpr int kDisplayTop = 3;
constexpr int kSpectrumWidth = 87;
constexpr int kSpectrumHeight = 26;
constexpr int kSpectrumFromRight = 102;  // left edge, pixels left of the tool bar's right edge
constexpr int kLampWidth = 6;
constexpr int kLampHeight = 26;
constexpr int kLampFromRight = 11;
const QColor kLampLit(0x00, 0xFF, 0x00);
const QColor kLampDark(0x00, 0x00, 0x00);

void SetFill(QWidget& widget, const QColor& color) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, color);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

QFrame* LoweredBlackPanel(QWidget* parent, int width, int height) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setFixedSize(width, height);
  SetFill(*panel, Qt::black);
  return panel;
}

}  // namespace

TForm1::TForm1(Setup setup)
    : dialogs_(setup.dialogs),
      sound_(setup.sound),
      settings_file_(std::move(setup.settings_file)),
      mid_txt_(std::move(setup.mid_txt)),
      warn_wav_(std::move(setup.warn_wav)),
      alerts_(sound_, warn_wav_),
      spectrum_(std::make_unique<SpectrumStrip>()) {
  CreateControls();
  LoadSettings(settings_file_, settings_, columns_);
  // The receiver sets the decoder up for the loaded mode and centre; the
  // mode text goes into status panel 1.
  receiver_ = std::make_unique<Receiver>(settings_, ReceiverHosts{*this, *this, alerts_, clock_});
  // Before the first block, so that no row is missed; an output that cannot
  // be opened says so in status panel 0 and the window comes up all the same.
  outputs_ = std::make_unique<SettingsOutputs>(settings_, *this, DefaultLogFolder());
  outputs_->Start();
  receiver_->SetCallObserver(&outputs_->Observer());
  connect(&output_reports_timer_, &QTimer::timeout, this,
          [this] { outputs_->ShowOutputReports(); });
  output_reports_timer_.start(kOutputReportsIntervalMs);
  model_ = std::make_unique<ReceiveListModel>(receiver_->List());
  model_->SetOnRowWritten([this](const ReceiveEntry& entry) { AppendToRowsFile(entry); });
  ListView1->setModel(model_.get());
  // The stored column widths; a view takes them once it has its columns.
  for (int column = 0; column < kReceiveColumnCount; ++column) {
    ListView1->setColumnWidth(column, columns_.Widths[static_cast<std::size_t>(column)]);
  }
  ApplyListStyle();
  SetSpectrumVisible(settings_.ShowSpec);

  DeviceErrorSink& device_errors = *this;
  monitor_ = setup.make_monitor ? setup.make_monitor(device_errors)
                                : std::make_unique<MonitorOutput>(device_errors);
  const auto on_block = [this](CaptureBuffer buffer) {
    receiver_->ProcessBlock(buffer);
    outputs_->ShowOutputReports();  // the outputs' news, on this thread
  };
  capture_ = setup.make_capture ? setup.make_capture(device_errors, on_block)
                                : std::make_unique<CaptureDevice>(device_errors, on_block);
  replay_ = std::make_unique<FileReplay>(*capture_, [this] {
    // The last blocks are still queued: the end of input follows them.
    QMetaObject::invokeMethod(
        this, [this] { ReplayFinished(); }, Qt::QueuedConnection);
  });
  monitor_->OpenMonitor();
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
  receiver_->List().SetObserver(nullptr);
  receiver_->SetCallObserver(nullptr);
}

void TForm1::CreateControls() {
  setWindowTitle("Tolvik");
  setFont(WindowFont());
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setAcceptDrops(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateToolBar();
  CreateList();
  StatusBar1 = new StatusBar(this);
  layout->addWidget(Panel2);
  layout->addWidget(ListView1, 1);
  layout->addWidget(StatusBar1);
}

void TForm1::CreateToolBar() {
  Panel2 = new QWidget(this);
  Panel2->setFixedHeight(kToolBarHeight);
  Panel2->installEventFilter(this);
  const auto button = [this](const char* caption, int slot) {
    auto* created = new QPushButton(caption, Panel2);
    created->setGeometry(kFirstButtonLeft + slot * kButtonStep, kButtonTop, kButtonWidth,
                         kButtonHeight);
    created->setFocusPolicy(Qt::TabFocus);
    return created;
  };
  Button1 = button("Settings", 0);
  Button2 = button("List Clear", 1);
  SpeedButton2 = button("Eye Pattern", 2);
  SpeedButton1 = button("Monitor", 3);
  SpeedButton1->setCheckable(true);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
  connect(SpeedButton1, &QPushButton::clicked, this,
          [this](bool down) { SpeedButton1Click(down); });

  Panel3 = LoweredBlackPanel(Panel2, kSpectrumWidth, kSpectrumHeight);
  Image1 = new DisplayImage(spectrum_->Picture(), Panel3);
  Image1->move(1, 1);
  Panel1 = LoweredBlackPanel(Panel2, kLampWidth, kLampHeight);
  Panel1->setFrameStyle(QFrame::NoFrame);  // a panel of 6 pixels is all lamp
}

void TForm1::CreateList() {
  ListView1 = new QTableView(this);
  ListView1->setShowGrid(true);
  ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView1->setWordWrap(false);
  ListView1->verticalHeader()->hide();
  ListView1->horizontalHeader()->setHighlightSections(false);
  ListView1->horizontalHeader()->setSectionsClickable(true);
  ListView1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ListView1->horizontalHeader()->setStretchLastSection(false);
  connect(ListView1, &QTableView::doubleClicked, this, [this] { ListView1DblClick(); });
  connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { receiver_->List().ColumnClick(column); });
}

void TForm1::FormCreate() {
  move(settings_.MainLeft, settings_.MainTop);
  resize(settings_.MainWidth, settings_.MainHeight);
}

void TForm1::ShowAsPlaced() {
  if (settings_.MainMaxmum) {
    showMaximized();
  } else {
    showNormal();
  }
}

void TForm1::SetWindows(TForm2* settings, TForm3* eye_pattern, TForm4* details) {
  settings_dialog_ = settings;
  eye_pattern_ = eye_pattern;
  alerts_.SetDialog(details);
}

void TForm1::FormDestroy() {
  if (destroyed_) {
    return;
  }
  destroyed_ = true;
  replay_->Stop();
  capture_->CloseCapture();
  monitor_->CloseMonitor();
}

void TForm1::ApplyListStyle() {
  QFont font(QString::fromStdString(settings_.FontName));
  font.setPointSize(std::max(1, settings_.FontSize));
  ListView1->setFont(font);
  constexpr int kRowPadding = 4;  // as a list view's rows: the text and a little air
  ListView1->verticalHeader()->setMinimumSectionSize(1);
  ListView1->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + kRowPadding);
  QPalette palette = ListView1->palette();
  palette.setColor(QPalette::Base, ToQColor(settings_.BackColor));
  palette.setColor(QPalette::Text, ToQColor(settings_.FontColor));
  ListView1->setPalette(palette);
  if (model_) {
    model_->SetTextColor(ToQColor(settings_.FontColor));
  }
}

void TForm1::SetSpectrumVisible(bool visible) {
  Panel3->setVisible(visible);
}

bool TForm1::OpenCapture() {
  if (replay_only_) {
    return false;
  }
  replay_->Stop();
  return capture_->OpenCapture(input_device_index_);
}

bool TForm1::CloseCapture() {
  return capture_->CloseCapture();
}

bool TForm1::StartReplay(const std::filesystem::path& file, bool resume_capture) {
  try {
    replay_->Start(file);
  } catch (const InputError& error) {
    dialogs_.ShowError(this, QString("Can not read \"%1\": %2")
                                 .arg(QString::fromStdString(file.string()),
                                      QString::fromStdString(error.what())));
    return false;
  }
  capture_->CloseCapture();
  replay_only_ = !resume_capture;
  resume_capture_ = resume_capture;
  ShowStatusText(StatusPanel::Decoder, "Playing " + file.filename().string());
  return true;
}

void TForm1::LeaveReplay() {
  replay_->Stop();
  replay_only_ = false;
  resume_capture_ = false;
}

void TForm1::ReplayFinished() {
  receiver_->FinishInput();
  if (resume_capture_ && !replay_->IsRunning()) {
    resume_capture_ = false;
    OpenCapture();
  }
}

void TForm1::AppendToRowsFile(const ReceiveEntry& entry) {
  if (rows_file_.empty()) {
    return;
  }
  std::ofstream out(rows_file_, std::ios::app);
  for (int column = 0; column < kReceiveColumnCount; ++column) {
    out << (column > 0 ? "\t" : "") << ColumnText(entry, column);
  }
  out << "\n";
}

void TForm1::ShowStatusText(StatusPanel panel, const std::string& text) {
  StatusBar1->SetPanelText(panel, QString::fromStdString(text));
}

void TForm1::WriteMonitorBlock(MonitorFrames frames) {
  monitor_->WriteMonitorBlock(frames);
}

bool TForm1::IsEyePatternShowing() const {
  return eye_pattern_ != nullptr && eye_pattern_->isVisible();
}

void TForm1::RedrawEyePattern(const DemodulatorTraces& traces) {
  if (eye_pattern_ != nullptr) {
    eye_pattern_->DrawEyePattern(receiver_->DisplayConstants(), traces);
  }
}

void TForm1::UpdateSpectrumStrip(const DemodulatorTraces& traces) {
  constexpr int kDisplayedChannel = 0;
  spectrum_->DrawSpectrum(DecoderModeFromSetting(settings_.DecVHF),
                          traces.MixerOutput[kDisplayedChannel], settings_.DecINV);
  Image1->update();
}

void TForm1::SetReceiveLamp(bool phased) {
  if (phased == lamp_lit_ && Panel1->autoFillBackground()) {
    return;  // the same colour again: nothing to repaint
  }
  lamp_lit_ = phased;
  SetFill(*Panel1, phased ? kLampLit : kLampDark);
}

void TForm1::Button1Click() {
  if (settings_dialog_ != nullptr) {
    settings_dialog_->ShowModal();
  }
}

void TForm1::Button2Click() {
  if (dialogs_.AskYesNo(this, "Delete list data, OK?")) {
    receiver_->List().Clear();
  }
}

void TForm1::SpeedButton1Click(bool down) {
  if (down) {
    monitor_->WriteSilenceBlock();
  }
  receiver_->Pipeline().SetMonitoring(down);
}

void TForm1::SpeedButton2Click() {
  if (eye_pattern_ != nullptr) {
    eye_pattern_->show();
    eye_pattern_->raise();
  }
}

void TForm1::ListView1DblClick() {
  const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
  receiver_->List().OpenRowDetails(selected.isEmpty() ? -1 : selected.first().row());
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FormActivate();
  }
}

void TForm1::FormActivate() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
    return;
  }
  settings_.MainWidth = width();
  settings_.MainHeight = height();
  settings_.MainTop = y();
  settings_.MainLeft = x();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  QCoreApplication::quit();
}

void TForm1::FormClose() {
  for (int column = 0; column < kReceiveColumnCount; ++column) {
    columns_.Widths[static_cast<std::size_t>(column)] = ListView1->columnWidth(column);
  }
  const MainWindowPlacement placement{y(), x(), width(), height(), isMaximized()};
  SaveSettings(settings_file_, settings_, columns_, placement, *this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel2 && event->type() == QEvent::Resize) {
    Panel2Resize();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::Panel2Resize() {
  Panel1->move(Panel2->width() - kLampFromRight, kDisplayTop);
  Panel3->move(Panel2->width() - kSpectrumFromRight, kDisplayTop);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) {
    return;
  }
  event->acceptProposedAction();
  OpenDroppedFile(urls.first().toLocalFile().toStdString());
}

bool TForm1::OpenDroppedFile(const std::filesystem::path& file) {
  return StartReplay(file, !replay_only_);
}

void TForm1::ReportDeviceError(const std::string& text) {
  dialogs_.ShowError(this, QString::fromStdString(text));
}

void TForm1::ReportDeviceStatus(const std::string& text) {
  ShowStatusText(StatusPanel::Decoder, text);
}

void TForm1::ReportSettingsProblem(const std::string& message) {
  dialogs_.ShowError(this, QString::fromStdString(message));
}

}  // namespace tolvik
