#include "decode/InputDecoder.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "audio/Receiver.h"
#include "audio/input/InputBlockReader.h"
#include "audio/input/InputError.h"
#include "audio/input/ShiftedSource.h"
#include "audio/input/SoundFileSource.h"
#include "audio/input/StreamSource.h"
#include "decode/CentrePlan.h"
#include "decode/ProgressIndicator.h"
#include "decode/StopRequest.h"
#include "demod/CentreFrequencySetup.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/JsonCallFormat.h"

namespace tolvik {

namespace {

constexpr double kProgressAfterSeconds = 60.0;  // shorter inputs finish before anyone looks

AppSettings SettingsFor(const DecodeOptions& options, const CentrePlan& centre) {
  AppSettings settings;
  settings.DecVHF = options.vhf;
  settings.DecINV = options.inverted;
  settings.DecAPS = options.auto_polarity;
  settings.DecAFC = options.auto_frequency;
  settings.DecFc = centre.dec_fc;
  settings.DecENH = options.enhanced;
  settings.ShowSpec = false;
  // Every call makes a row of its own.
  settings.CheckAdd = false;
  settings.NoMsgAdd = false;
  return settings;
}

constexpr const char* kStandardInputName = "-";

// The left channel alone unless the right one is decoded too.
InputChannels InputChannelsFor(const DecodeOptions& options) {
  return options.channels == DecodedChannels::Left ? InputChannels::Left
                                                   : InputChannels::LeftAndRight;
}

std::unique_ptr<SampleSource> OpenInput(const std::string& name, const DecodeOptions& options) {
  if (name == kStandardInputName) {
    return std::make_unique<StreamSource>(
        stdin, RawStreamFormat{options.raw_rate_hz, options.raw_channels},
        InputChannelsFor(options));
  }
  return std::make_unique<SoundFileSource>(name, InputChannelsFor(options));
}

// The line format of the printed rows; none for aligned text.
std::unique_ptr<CallRecordFormat> RowFormatFor(const DecodeOptions& options) {
  if (options.json)
    return std::make_unique<JsonCallFormat>();
  if (options.csv)
    return std::make_unique<CsvCallFormat>(CsvCallFormat::Columns::WithSource);
  return nullptr;
}

}  // namespace

InputDecoder::InputDecoder(const DecodeOptions& options, std::FILE* out, std::FILE* err,
                           CallObserver* calls)
    : options_(options),
      out_(out),
      err_(err),
      calls_(calls),
      row_format_(options.nmea ? nullptr : RowFormatFor(options)) {}

bool InputDecoder::Decode(const std::string& name) {
  PrintHeaderOnce();
  current_name_ = name;
  offset_s_ = 0;
  std::unique_ptr<SampleSource> input;
  try {
    input = OpenInput(name, options_);
  } catch (const InputError& error) {
    std::fprintf(err_, "tolvik-decode: %s: %s\n", name.c_str(), error.what());
    return false;
  }
  const CentrePlan centre = options_.vhf ? CentrePlan{} : PlanCentre(options_.centre_hz);
  if (centre.shift_from_hz) {
    ShiftedSource shifted(*input, *centre.shift_from_hz, centre.dec_fc * kDecFcUnitHz);
    DecodeBlocks(shifted, centre);
  } else {
    DecodeBlocks(*input, centre);
  }
  if (const auto cut_short = input->CutShort()) {
    std::fprintf(err_, "tolvik-decode: warning: %s ends after %.1f s, its header promised %.1f s\n",
                 name.c_str(), cut_short->SecondsRead, cut_short->SecondsPromised);
  }
  return true;
}

std::unique_ptr<ProgressIndicator> InputDecoder::ProgressFor(const SampleSource& source) const {
  if (!options_.progress || !isatty(fileno(err_))) {
    return nullptr;
  }
  // A stream shows the audio read, from the start: it may be live.
  if (current_name_ == kStandardInputName) {
    return std::make_unique<ProgressIndicator>(err_, current_name_, std::nullopt);
  }
  const auto duration = source.DurationSeconds();
  if (duration && *duration >= kProgressAfterSeconds) {
    return std::make_unique<ProgressIndicator>(err_, current_name_, *duration);
  }
  return nullptr;
}

void InputDecoder::DecodeBlocks(SampleSource& source, const CentrePlan& centre) {
  AppSettings settings = SettingsFor(options_, centre);
  auto receiver = std::make_unique<Receiver>(
      settings, ReceiverHosts{*this, *this, *this, clock_, nullptr, &right_status_});
  receiver->List().SetObserver(this);
  receiver->SetCallObserver(this);
  receiver->SetStrictGate(options_.strict_gate);
  receiver->SetDecodedChannels(options_.channels);

  const std::unique_ptr<ProgressIndicator> progress = ProgressFor(source);
  progress_ = progress.get();

  InputBlockReader reader(source);
  InputBlockReader::Buffer buffer{};
  while (!StopRequested() && reader.NextBlock(buffer)) {
    offset_s_ = reader.SecondsRead();
    receiver->ProcessBlock(CaptureBuffer(buffer));
    // Each row was printed as it was written; keeping them would only make
    // every later row's sort slower on a long input.
    receiver->List().Clear();
    if (progress) {
      progress->Update(offset_s_);
    }
  }
  // Silence after the end would stop the bit clock: a call still waiting for
  // its look-ahead is handed on now.
  receiver->FinishInput();
  progress_ = nullptr;
}

void InputDecoder::RowWritten(int, const ReceiveEntry&, DistressKind) {
  if (progress_ != nullptr) {
    progress_->Erase();  // rows and progress may share one terminal
  }
}

void InputDecoder::CallWritten(const WrittenCall& call) {
  PrintRow(call);
  if (calls_ != nullptr) {
    calls_->CallWritten(call);
  }
}

CallContext InputDecoder::RowContext() const {
  return CallContext{IsoUtcText(utc_clock_.Now()), current_name_, offset_s_};
}

void InputDecoder::PrintHeaderOnce() {
  if (header_printed_ || row_format_ == nullptr)
    return;
  header_printed_ = true;
  const std::string header = row_format_->HeaderLine();
  if (!header.empty()) {
    std::fprintf(out_, "%s\n", header.c_str());
    std::fflush(out_);
  }
}

void InputDecoder::PrintRow(const WrittenCall& call) {
  if (options_.nmea) {
    return;  // the call observer prints the call's sentences instead
  }
  std::string line;
  if (row_format_ != nullptr) {
    line = row_format_->Line(call, RowContext());
  } else {
    const DecodedRow row{
        current_name_, offset_s_,   &call.row, call.kind, call.decoder == CallDecoder::Enhanced,
        call.repaired, call.channel};
    line = FormatPlainRow(
        row, options_.files.size() > 1,
        options_.channels == DecodedChannels::Both ? ChannelColumn::Shown : ChannelColumn::Hidden);
  }
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
}

void InputDecoder::ShowStatusText(StatusPanel panel, const std::string& text) {
  PrintStatus(panel, text, "L");
}

void InputDecoder::PrintStatus(StatusPanel panel, const std::string& text, const char* channel) {
  if (!options_.status || panel != StatusPanel::Decoder || text.empty())
    return;
  if (progress_ != nullptr) {
    progress_->Erase();
  }
  const std::string label =
      options_.channels == DecodedChannels::Both ? std::string(" ") + channel : "";
  std::fprintf(err_, "%s %.1fs%s: %s\n", current_name_.c_str(), RoundToTenths(offset_s_),
               label.c_str(), text.c_str());
}

}  // namespace tolvik
