#include "audio/device/CaptureDevice.h"

#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QMetaObject>

#include "audio/device/CaptureFormat.h"

namespace tolvik {

CaptureDevice::CaptureDevice(DeviceErrorSink& errors, BlockHandler on_block)
    : errors_(errors),
      on_block_(std::move(on_block)),
      devices_(QMediaDevices::audioInputs()),
      read_buffer_(kReadChunkBytes) {}

CaptureDevice::~CaptureDevice() {
  CloseCapture();
}

std::vector<std::string> CaptureDevice::DeviceNames() const {
  std::vector<std::string> names;
  for (const QAudioDevice& device : devices_) {
    names.push_back(device.description().toStdString());
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
  return devices_[input_device_index - 1];
}

bool CaptureDevice::OpenCapture(int input_device_index) {
  const bool tell_user = input_device_index == 0;
  const std::optional<QAudioDevice> device = DeviceOf(input_device_index);
  if (!device) {
    if (tell_user) {
      errors_.ReportDeviceError(kCannotOpenRecordingDevice);
    }
    return false;
  }
  // The server converts almost anything itself; a device that refuses the
  // fixed format is taken in its own and converted here.
  QAudioFormat format = CaptureFormat();
  converter_.reset();
  if (!device->isFormatSupported(format)) {
    format = device->preferredFormat();
    converter_.emplace(DeviceFormatOf(format));
  }
  source_ = std::make_unique<QAudioSource>(*device, format);
  io_ = source_->start();
  if (io_ == nullptr) {
    source_.reset();
    if (tell_user) {
      errors_.ReportDeviceError(kCannotOpenRecordingDevice);
    }
    return false;
  }
  if (source_->error() != QAudio::NoError) {
    if (tell_user) {
      errors_.ReportDeviceError(kCannotGetBuffer);
    }
    return false;
  }
  QObject::connect(io_, &QIODevice::readyRead, this, &CaptureDevice::ReadAvailable);
  return true;
}

bool CaptureDevice::CloseCapture() {
  if (source_ == nullptr) {
    return true;
  }
  QObject::disconnect(io_, nullptr, this, nullptr);
  source_->stop();
  source_.reset();
  io_ = nullptr;
  converter_.reset();
  ring_.Reset();
  ++generation_;  // block calls still queued belong to the closed device
  return true;
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
