#include "outputs/MqttPublisher.h"

#include <fcntl.h>
#include <mosquitto.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "outputs/OutputError.h"

namespace tolvik {

namespace {

constexpr const char* kOnline = "online";
constexpr const char* kOffline = "offline";
constexpr int kQos = 1;
// How long a stop waits for the broker to take the "offline" status.
constexpr std::chrono::milliseconds kOfflinePatience{500};
// The longest poll: keep-alive pings and the connect timeout are checked
// at least this often.
constexpr std::chrono::milliseconds kLongestPoll{1000};

// libmosquitto must be set up once per process before any client.
void InitialiseLibraryOnce() {
  static const int initialised = mosquitto_lib_init();
  (void)initialised;
}

void MakeNonBlocking(int descriptor) {
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) | O_NONBLOCK);
}

std::string ErrorText(int result) {
  if (result == MOSQ_ERR_ERRNO) {
    return std::strerror(errno);
  }
  return mosquitto_strerror(result);
}

int PollMilliseconds(std::chrono::steady_clock::duration wait) {
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  return static_cast<int>(std::clamp<long long>(milliseconds, 0, kLongestPoll.count()));
}

}  // namespace

MqttPublisher::MqttPublisher(MqttSettings settings, Report report)
    : settings_(std::move(settings)),
      report_(std::move(report)),
      call_topic_(CallTopic(settings_)),
      status_topic_(StatusTopic(settings_)),
      retry_delay_(settings_.first_retry) {
  InitialiseLibraryOnce();
  int wake[2];
  if (pipe(wake) != 0) {
    throw OutputError(std::string("cannot make a pipe: ") + std::strerror(errno));
  }
  wake_read_ = wake[0];
  wake_write_ = wake[1];
  MakeNonBlocking(wake_read_);
  MakeNonBlocking(wake_write_);
  thread_ = std::thread([this] { Run(); });
}

MqttPublisher::~MqttPublisher() {
  Stop();
  close(wake_read_);
  close(wake_write_);
}

void MqttPublisher::Publish(std::string payload) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.size() >= settings_.queue_limit) {
      if (queue_.empty()) {
        ++dropped_;  // a limit of zero keeps nothing
        return;
      }
      queue_.pop_front();
      ++dropped_;
    }
    queue_.push_back({next_sequence_++, std::move(payload)});
  }
  Wake();
}

std::size_t MqttPublisher::Stop(std::chrono::milliseconds drain) {
  if (stopped_) {
    return undelivered_;
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    stop_deadline_ = Clock::now() + drain;
  }
  Wake();
  thread_.join();
  stopped_ = true;
  undelivered_ = QueuedMessages();
  return undelivered_;
}

std::size_t MqttPublisher::QueuedMessages() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

void MqttPublisher::Wake() {
  // A full pipe already holds a wake-up: nothing is lost when this fails.
  const char wake = 1;
  [[maybe_unused]] const ssize_t ignored = write(wake_write_, &wake, 1);
}

void MqttPublisher::Tell(const std::string& message) const {
  if (report_) {
    report_(message);
  }
}

void MqttPublisher::Run() {
  while (true) {
    if (client_ == nullptr && Clock::now() >= next_attempt_) {
      StartConnecting();
    }
    if (connected_) {
      SendWaiting();
    }
    if (ShouldFinish()) {
      break;
    }
    WaitForWork();
    if (lost_) {
      DropConnection();
    }
    if (dropped_ > 0 && !told_dropping_) {
      told_dropping_ = true;
      Tell("the queue of " + std::to_string(settings_.queue_limit) +
           " calls waiting for the broker is full: the oldest are dropped");
    }
  }
  FinishConnection();
}

bool MqttPublisher::ShouldFinish() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return stopping_ && (queue_.empty() || Clock::now() >= stop_deadline_);
}

void MqttPublisher::StartConnecting() {
  client_ = mosquitto_new(nullptr, true, this);
  if (client_ == nullptr) {
    Tell("cannot make an MQTT client: " + std::string(std::strerror(errno)));
    next_attempt_ = Clock::now() + settings_.longest_retry;
    return;
  }
  lost_ = false;
  mosquitto_will_set(client_, status_topic_.c_str(), static_cast<int>(std::strlen(kOffline)),
                     kOffline, kQos, true);
  if (settings_.credentials) {
    mosquitto_username_pw_set(client_, settings_.credentials->user.c_str(),
                              settings_.credentials->password.c_str());
  }
  mosquitto_connect_callback_set(client_, OnConnect);
  mosquitto_publish_callback_set(client_, OnPublish);
  mosquitto_disconnect_callback_set(client_, OnDisconnect);
  connect_started_ = Clock::now();
  const int result = mosquitto_connect_async(client_, settings_.host.c_str(), settings_.port,
                                             static_cast<int>(settings_.keepalive.count()));
  if (result != MOSQ_ERR_SUCCESS) {
    if (!told_unreachable_) {
      told_unreachable_ = true;
      Tell("cannot reach the MQTT broker " + settings_.host + ":" + std::to_string(settings_.port) +
           " (" + ErrorText(result) + "); calls are queued and sent when it answers");
    }
    lost_ = true;
    DropConnection();
  }
}

void MqttPublisher::SendWaiting() {
  while (in_flight_.size() < kInFlightLimit && !lost_) {
    std::uint64_t sequence = 0;
    std::string payload;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      const auto waiting =
          std::find_if(queue_.begin(), queue_.end(), [](const Message& m) { return !m.sent; });
      if (waiting == queue_.end()) {
        return;
      }
      waiting->sent = true;
      sequence = waiting->sequence;
      payload = waiting->payload;
    }
    int message_id = 0;
    const int result =
        mosquitto_publish(client_, &message_id, call_topic_.c_str(),
                          static_cast<int>(payload.size()), payload.data(), kQos, false);
    if (result != MOSQ_ERR_SUCCESS) {
      lost_ = true;
      return;
    }
    in_flight_[message_id] = sequence;
  }
}

void MqttPublisher::WaitForWork() {
  pollfd watched[2] = {{wake_read_, POLLIN, 0}, {-1, 0, 0}};
  Clock::time_point until = Clock::now() + kLongestPoll;
  if (client_ != nullptr) {
    watched[1].fd = mosquitto_socket(client_);
    watched[1].events = static_cast<short>(POLLIN | (mosquitto_want_write(client_) ? POLLOUT : 0));
  } else {
    until = std::min(until, next_attempt_);
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) {
      until = std::min(until, stop_deadline_);
    }
  }
  poll(watched, watched[1].fd >= 0 ? 2 : 1, PollMilliseconds(until - Clock::now()));

  if (watched[0].revents & POLLIN) {
    char drained[64];
    while (read(wake_read_, drained, sizeof drained) > 0) {
    }
  }
  if (client_ == nullptr) {
    return;
  }
  const short events = watched[1].revents;
  if ((events & (POLLIN | POLLERR | POLLHUP)) &&
      mosquitto_loop_read(client_, 1) != MOSQ_ERR_SUCCESS) {
    lost_ = true;
  }
  if (!lost_ && (events & POLLOUT) && mosquitto_loop_write(client_, 1) != MOSQ_ERR_SUCCESS) {
    lost_ = true;
  }
  if (!lost_ && mosquitto_loop_misc(client_) != MOSQ_ERR_SUCCESS) {
    lost_ = true;
  }
  if (!connected_ && Clock::now() - connect_started_ > kConnectPatience) {
    lost_ = true;
  }
}

void MqttPublisher::DropConnection() {
  const bool was_connected = connected_;
  if (client_ != nullptr) {
    mosquitto_destroy(client_);
    client_ = nullptr;
  }
  connected_ = false;
  lost_ = false;
  in_flight_.clear();
  status_message_id_ = -1;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Message& message : queue_) {
      message.sent = false;
    }
  }
  if (was_connected && !told_unreachable_) {
    told_unreachable_ = true;
    Tell("lost the MQTT broker " + settings_.host + ":" + std::to_string(settings_.port) +
         "; calls are queued and sent when it answers again");
  }
  if (was_connected) {
    retry_delay_ = settings_.first_retry;
  }
  next_attempt_ = Clock::now() + retry_delay_;
  retry_delay_ = std::min(retry_delay_ * 2, settings_.longest_retry);
}

void MqttPublisher::FinishConnection() {
  if (client_ == nullptr) {
    return;
  }
  if (connected_) {
    status_acknowledged_ = false;
    int message_id = 0;
    if (mosquitto_publish(client_, &message_id, status_topic_.c_str(),
                          static_cast<int>(std::strlen(kOffline)), kOffline, kQos,
                          true) == MOSQ_ERR_SUCCESS) {
      status_message_id_ = message_id;
      const Clock::time_point until = Clock::now() + kOfflinePatience;
      while (!status_acknowledged_ && !lost_ && Clock::now() < until) {
        WaitForWork();
      }
    }
    mosquitto_disconnect(client_);
    mosquitto_loop_write(client_, 1);
  }
  mosquitto_destroy(client_);
  client_ = nullptr;
  connected_ = false;
}

void MqttPublisher::OnConnect(mosquitto*, void* self, int result) {
  static_cast<MqttPublisher*>(self)->ConnectionAnswered(result);
}

void MqttPublisher::OnPublish(mosquitto*, void* self, int message_id) {
  static_cast<MqttPublisher*>(self)->Acknowledged(message_id);
}

void MqttPublisher::OnDisconnect(mosquitto*, void* self, int) {
  static_cast<MqttPublisher*>(self)->lost_ = true;
}

void MqttPublisher::ConnectionAnswered(int result) {
  if (result != 0) {
    if (!told_unreachable_) {
      told_unreachable_ = true;
      Tell("the MQTT broker " + settings_.host + ":" + std::to_string(settings_.port) +
           " refused the connection: " + mosquitto_connack_string(result));
    }
    lost_ = true;
    return;
  }
  if (told_unreachable_) {
    Tell("reached the MQTT broker " + settings_.host + ":" + std::to_string(settings_.port));
  }
  told_unreachable_ = false;
  connected_ = true;
  retry_delay_ = settings_.first_retry;
  int message_id = 0;
  mosquitto_publish(client_, &message_id, status_topic_.c_str(),
                    static_cast<int>(std::strlen(kOnline)), kOnline, kQos, true);
  status_message_id_ = message_id;
}

void MqttPublisher::Acknowledged(int message_id) {
  if (message_id == status_message_id_) {
    status_acknowledged_ = true;
    return;
  }
  const auto found = in_flight_.find(message_id);
  if (found == in_flight_.end()) {
    return;
  }
  const std::uint64_t sequence = found->second;
  in_flight_.erase(found);
  ++delivered_;
  const std::lock_guard<std::mutex> lock(mutex_);
  // A message dropped from a full queue while in flight is no longer there.
  const auto acknowledged = std::find_if(queue_.begin(), queue_.end(),
                                         [&](const Message& m) { return m.sequence == sequence; });
  if (acknowledged != queue_.end()) {
    queue_.erase(acknowledged);
  }
}

}  // namespace tolvik
