#pragma once

#include <QAudioFormat>

#include "audio/device/CaptureConverter.h"

namespace tolvik {

// The one format of both devices: 48000 Hz, 16-bit, two channels.
QAudioFormat CaptureFormat();

// A Qt format as the converter describes it.
DeviceAudioFormat DeviceFormatOf(const QAudioFormat& format);

}  // namespace tolvik
