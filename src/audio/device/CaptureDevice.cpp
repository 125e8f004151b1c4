#include "audio/device/CaptureDevice.h"

#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QMetaObject>

#include "audio/device/CaptureFormat.h"
#include "audio/device/StoppedByServer.h"

namespace tolvik {

namespace {

// The device of the list now present that is `wanted`: the same
// identifier, or else the same description (a device plugged in again
// elsewhere can come back under another identifier, and the user chose it by
// its name).
std::optional<QAudioDevice> ListedById(const QList<QAudioDevice>& present, const QByteArray& id) {
  for (const QAudioDevice& device : present) {
    if (device.id() == id) {
      return device;
    }
  }
  return std::nullopt;
}

std::optional<QAudioDevice> PresentDevice(const QAudioDevice& wanted) {
  const QList<QAudioDevice> present = QMediaDevices::audioInputs();
  if (auto same = ListedById(present, wanted.id())) {
    return same;
  }
  for (const QAudioDevice& device : present) {
    if (device.description() == wanted.description()) {
      return device;
    }
  }
  return std::nullopt;
}

std::string Described(const QAudioDevice& device) {
  return device.description().toStdString();
}

}  // namespace

CaptureDevice::CaptureDevice(DeviceErrorSink& errors, BlockHandler on_block)
    : errors_(errors),
      on_block_(std::move(on_block)),
      devices_(QMediaDevices::audioInputs()),
      read_buffer_(kReadChunkBytes) {
  watch_timer_.setInterval(kWatchIntervalMs);
  retry_timer_.setInterval(kRetryIntervalMs);
  QObject::connect(&watch_timer_, &QTimer::timeout, this, &CaptureDevice::WatchStream);
  QObject::connect(&retry_timer_, &QTimer::timeout, this, &CaptureDevice::RetryLostDevice);
}

CaptureDevice::~CaptureDevice() {
  CloseCapture();
}

std::vector<std::string> CaptureDevice::DeviceNames() const {
  std::vector<std::string> names;
  for (const QAudioDevice& device : devices_) {
    names.push_back(Described(device));
  }
  return names;
}

std::optional<QAudioDevice> CaptureDevice::DeviceOf(int input_device_index) const {
  if (input_device_index == 0) {
    // Qt 6.4 answers the first input here, which is what the sound server
    // lists first; its own default flag is not to be trusted for inputs.
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
      return std::nullopt;
    }
    return device;
  }
  if (input_device_index < 1 || input_device_index > devices_.size()) {
    return std::nullopt;
  }
  // The list of start-up names the entries; the device itself is taken from
  // the present list, since what Qt handed out then may be stale.
  return PresentDevice(devices_[input_device_index - 1]);
}

bool CaptureDevice::OpenCapture(int input_device_index) {
  retry_timer_.stop();
  const bool tell_user = input_device_index == 0;
  const std::optional<QAudioDevice> device = DeviceOf(input_device_index);
  if (!device) {
    if (tell_user) {
      errors_.ReportDeviceError(kCannotOpenRecordingDevice);
    }
    return false;
  }
  open_index_ = input_device_index;
  const StreamStart started = StartStream(*device);
  if (started != StreamStart::Running && tell_user) {
    errors_.ReportDeviceError(started == StreamStart::NotOpened ? kCannotOpenRecordingDevice
                                                                : kCannotGetBuffer);
  }
  return started == StreamStart::Running;
}

CaptureDevice::StreamStart CaptureDevice::StartStream(const QAudioDevice& device) {
  // The server converts almost anything itself; a device that refuses the
  // fixed format is taken in its own and converted here.
  QAudioFormat format = CaptureFormat();
  converter_.reset();
  if (!device.isFormatSupported(format)) {
    format = device.preferredFormat();
    converter_.emplace(DeviceFormatOf(format));
  }
  source_ = std::make_unique<QAudioSource>(device, format);
  io_ = source_->start();
  if (io_ == nullptr) {
    source_.reset();
    return StreamStart::NotOpened;
  }
  open_device_ = device;
  QObject::connect(io_, &QIODevice::readyRead, this, &CaptureDevice::ReadAvailable);
  since_data_.start();
  watch_timer_.start();
  return source_->error() == QAudio::NoError ? StreamStart::Running : StreamStart::Faulty;
}

bool CaptureDevice::CloseCapture() {
  retry_timer_.stop();
  StopStream();
  return true;
}

void CaptureDevice::StopStream() {
  if (source_ == nullptr) {
    return;
  }
  watch_timer_.stop();
  if (io_ != nullptr) {
    QObject::disconnect(io_, nullptr, this, nullptr);
  }
  source_->stop();
  source_.reset();
  io_ = nullptr;
  converter_.reset();
  ring_.Reset();
  ++generation_;  // block calls still queued belong to the closed device
}

void CaptureDevice::WatchStream() {
  // What waits is taken first: a main thread that was busy for a while has
  // the stream's notifications still queued behind this one.
  if (!ServerEndedStream()) {
    ReadAvailable();
  }
  if (ServerEndedStream() || DeviceLeftOrFellSilent()) {
    DeviceLost();
  }
}

bool CaptureDevice::ServerEndedStream() const {
  return io_ == nullptr || StoppedByServer(*source_);
}

bool CaptureDevice::DeviceLeftOrFellSilent() const {
  // The device left the server's list. The server then moves the stream to
  // another source without a word, and the audio would come from there.
  if (!ListedById(QMediaDevices::audioInputs(), open_device_.id())) {
    return true;
  }
  return since_data_.elapsed() > kSilentStreamMs;
}

void CaptureDevice::DeviceLost() {
  StopStream();
  lost_description_ = Described(open_device_);
  told_server_gone_ = false;
  errors_.ReportDeviceStatus(std::string(kRecordingDeviceLost) + lost_description_);
  since_lost_.start();
  retry_timer_.start();
}

// Only a device Qt lists is opened: Qt 6.4 waits forever in start() for a
// stream on a source the server does not have. Its list follows the server
// closely while connected; right after Qt has connected to a restarted
// server the list can still hold the old devices for a moment.
void CaptureDevice::RetryLostDevice() {
  const std::optional<QAudioDevice> device = DeviceOf(open_index_);
  if (device) {
    const StreamStart started = StartStream(*device);
    if (started == StreamStart::Running) {
      retry_timer_.stop();
      if (open_index_ > 0) {
        devices_[open_index_ - 1] = *device;  // the entry keeps its place in the list
      }
      errors_.ReportDeviceStatus(std::string(kRecordingDeviceBack) + Described(*device));
      return;
    }
    StopStream();
  }
  if (device && !told_server_gone_ && since_lost_.elapsed() > kServerGoneMs) {
    // Listed and still not opening: the list is the one Qt had before its
    // server went away.
    told_server_gone_ = true;
    errors_.ReportDeviceStatus(std::string(kRecordingDeviceLost) + lost_description_ +
                               kSoundServerGone);
  }
}

void CaptureDevice::FeedCaptured(std::span<const std::byte> bytes) {
  const int completed = ring_.Append(bytes);
  for (int block = 0; block < completed; ++block) {
    const std::uint64_t generation = generation_;
    QMetaObject::invokeMethod(
        this, [this, generation] { ProcessNextBlock(generation); }, Qt::QueuedConnection);
  }
}

void CaptureDevice::ReadAvailable() {
  // About one notification in five carries no data; the others as much as
  // the server has gathered, in pieces of any size.
  while (io_ != nullptr) {
    const qint64 count =
        io_->read(reinterpret_cast<char*>(read_buffer_.data()), qint64(read_buffer_.size()));
    if (count <= 0) {
      break;
    }
    since_data_.restart();
    Gather(std::span<const std::byte>(read_buffer_).first(static_cast<std::size_t>(count)));
  }
}

void CaptureDevice::Gather(std::span<const std::byte> bytes) {
  if (converter_) {
    converter_->Convert(bytes,
                        [this](std::span<const std::byte> converted) { FeedCaptured(converted); });
  } else {
    FeedCaptured(bytes);
  }
}

void CaptureDevice::ProcessNextBlock(std::uint64_t generation) {
  if (generation != generation_ || ring_.CompletedCount() == 0) {
    return;
  }
  on_block_(ring_.TakeCompleted());
}

}  // namespace tolvik
