#include "audio/device/CaptureFormat.h"

#include "base/BlockFormat.h"

namespace tolvik {

QAudioFormat CaptureFormat() {
  QAudioFormat format;
  format.setSampleRate(kCaptureRateHz);
  format.setChannelCount(kChannelsPerFrame);
  format.setSampleFormat(QAudioFormat::Int16);
  return format;
}

DeviceAudioFormat DeviceFormatOf(const QAudioFormat& format) {
  DeviceAudioFormat device;
  device.RateHz = format.sampleRate();
  device.Channels = format.channelCount();
  switch (format.sampleFormat()) {
    case QAudioFormat::UInt8:
      device.Encoding = SampleEncoding::UInt8;
      break;
    case QAudioFormat::Int32:
      device.Encoding = SampleEncoding::Int32;
      break;
    case QAudioFormat::Float:
      device.Encoding = SampleEncoding::Float32;
      break;
    default:
      device.Encoding = SampleEncoding::Int16;
      break;
  }
  return device;
}

}  // namespace tolvik
