#include "audio/device/MonitorOutput.h"

#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <array>

#include "audio/device/CaptureFormat.h"
#include "audio/device/StoppedByServer.h"

namespace tolvik {

MonitorOutput::MonitorOutput(DeviceErrorSink& errors) : errors_(errors) {
  top_up_timer_.setInterval(kTopUpIntervalMs);
  QObject::connect(&top_up_timer_, &QTimer::timeout, this, &MonitorOutput::TopUp);
}

MonitorOutput::~MonitorOutput() {
  CloseMonitor();
}

bool MonitorOutput::OpenMonitor() {
  if (!StartSink()) {
    errors_.ReportDeviceError(kCannotOpenPlayDevice);
    return false;
  }
  if (sink_->error() != QAudio::NoError) {
    errors_.ReportDeviceError(kCannotGetBuffer);
    return false;
  }
  ring_.Reset();
  open_ = true;
  return true;
}

bool MonitorOutput::StartSink() {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    return false;
  }
  sink_ = std::make_unique<QAudioSink>(device, CaptureFormat());
  // Room for the whole ring, so that a burst of blocks is not cut short.
  sink_->setBufferSize(static_cast<qsizetype>(MonitorRing::kBufferCount * kBytesPerBlock));
  io_ = sink_->start();
  if (io_ == nullptr) {
    sink_.reset();
    return false;
  }
  return true;
}

bool MonitorOutput::SinkHasEnded() const {
  return sink_ == nullptr || io_ == nullptr || StoppedByServer(*sink_);
}

void MonitorOutput::ReopenEndedSink() {
  if (since_reopen_.isValid() && since_reopen_.elapsed() < kReopenIntervalMs) {
    return;
  }
  since_reopen_.start();
  top_up_timer_.stop();
  sink_.reset();
  io_ = nullptr;
  StartSink();  // when it fails, the next block tries again
}

void MonitorOutput::CloseMonitor() {
  if (!open_) {
    return;
  }
  open_ = false;
  top_up_timer_.stop();
  if (sink_ != nullptr) {
    sink_->reset();
  }
  sink_.reset();
  io_ = nullptr;
  ring_.Reset();
}

void MonitorOutput::WriteMonitorBlock(MonitorFrames frames) {
  if (!open_) {
    return;
  }
  if (SinkHasEnded()) {
    ReopenEndedSink();
  }
  ring_.Write(std::as_bytes(frames));
  TopUp();
}

void MonitorOutput::WriteSilenceBlock() {
  static constexpr std::array<std::int16_t, kFramesPerBlock * kChannelsPerFrame> kSilence{};
  WriteMonitorBlock(kSilence);
}

void MonitorOutput::TopUp() {
  while (!SinkHasEnded() && ring_.QueuedCount() > 0) {
    const auto pending = ring_.Pending();
    const qint64 room = sink_->bytesFree();
    const qint64 wanted = std::min<qint64>(room, qint64(pending.size()));
    if (wanted <= 0) {
      break;
    }
    const qint64 written = io_->write(reinterpret_cast<const char*>(pending.data()), wanted);
    if (written <= 0) {
      break;
    }
    ring_.Consume(static_cast<std::size_t>(written));
  }
  if (ring_.QueuedCount() > 0) {
    top_up_timer_.start();
  } else {
    top_up_timer_.stop();
  }
}

}  // namespace tolvik
