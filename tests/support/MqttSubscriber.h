#pragma once

#include <mosquitto.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tolvik::testing {

// A plain libmosquitto client subscribed to one topic (QoS 1), keeping every
// message it gets in order, as a station's collector would. Its network
// thread reconnects by itself when the broker comes back.
class MqttSubscriber {
 public:
  // A session the broker keeps while the subscriber is away (clean session
  // off, under a fixed client id): QoS 1 messages published meanwhile wait
  // for it, so a test need not race the subscriber's reconnection.
  struct PersistentSession {
    std::string client_id;
  };

  // Far beyond any loopback delay; only a fault makes a wait this long.
  static constexpr std::chrono::seconds kPatience{20};

  struct Message {
    std::string topic;
    std::string payload;
    bool retained;
    std::chrono::steady_clock::time_point arrived;  // when the client's callback had it
  };

  // Returns once the broker has confirmed the subscription.
  MqttSubscriber(int port, const std::string& topic, const std::string& user = "",
                 const std::string& password = "")
      : MqttSubscriber(port, topic, user, password, std::nullopt) {}

  MqttSubscriber(int port, const std::string& topic, const PersistentSession& session)
      : MqttSubscriber(port, topic, "", "", session) {}

  ~MqttSubscriber() {
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, false);
    mosquitto_destroy(client_);
  }

  MqttSubscriber(const MqttSubscriber&) = delete;
  MqttSubscriber& operator=(const MqttSubscriber&) = delete;

  // Waits (up to kPatience) for `count` messages in all; every message so far.
  std::vector<Message> WaitForMessages(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, kPatience, [&] { return messages_.size() >= count; });
    return messages_;
  }

  // Waits (up to kPatience) for a message with this payload; whether it came.
  bool WaitForPayload(const std::string& payload) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(
        lock, kPatience, [&] { return !messages_.empty() && messages_.back().payload == payload; });
  }

  // Waits (up to kPatience) for `count` different payloads; the payloads so
  // far in the order they first came. QoS 1 delivers at least once: a
  // message in flight when a connection drops may come again.
  std::vector<std::string> WaitForDistinctPayloads(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    std::vector<std::string> distinct;
    changed_.wait_for(lock, kPatience, [&] {
      distinct.clear();
      for (const Message& message : messages_) {
        if (std::find(distinct.begin(), distinct.end(), message.payload) == distinct.end()) {
          distinct.push_back(message.payload);
        }
      }
      return distinct.size() >= count;
    });
    return distinct;
  }

  std::vector<Message> Messages() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
  }

 private:
  MqttSubscriber(int port, const std::string& topic, const std::string& user,
                 const std::string& password, const std::optional<PersistentSession>& session) {
    mosquitto_lib_init();
    client_ = session ? mosquitto_new(session->client_id.c_str(), false, this)
                      : mosquitto_new(nullptr, true, this);
    if (!user.empty()) {
      mosquitto_username_pw_set(client_, user.c_str(), password.c_str());
    }
    mosquitto_message_callback_set(client_, OnMessage);
    mosquitto_subscribe_callback_set(client_, OnSubscribe);
    if (mosquitto_connect(client_, "127.0.0.1", port, 30) != MOSQ_ERR_SUCCESS ||
        mosquitto_loop_start(client_) != MOSQ_ERR_SUCCESS ||
        mosquitto_subscribe(client_, nullptr, topic.c_str(), 1) != MOSQ_ERR_SUCCESS) {
      mosquitto_destroy(client_);
      throw std::runtime_error("cannot subscribe to " + topic);
    }
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, kPatience, [this] { return subscribed_; })) {
      throw std::runtime_error("no SUBACK for " + topic);
    }
  }

  static void OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
    auto* subscriber = static_cast<MqttSubscriber*>(self);
    const std::lock_guard<std::mutex> lock(subscriber->mutex_);
    subscriber->messages_.push_back({message->topic,
                                     std::string(static_cast<const char*>(message->payload),
                                                 static_cast<std::size_t>(message->payloadlen)),
                                     message->retain, std::chrono::steady_clock::now()});
    subscriber->changed_.notify_all();
  }

  static void OnSubscribe(mosquitto*, void* self, int, int, const int*) {
    auto* subscriber = static_cast<MqttSubscriber*>(self);
    const std::lock_guard<std::mutex> lock(subscriber->mutex_);
    subscriber->subscribed_ = true;
    subscriber->changed_.notify_all();
  }

  mosquitto* client_ = nullptr;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool subscribed_ = false;
  std::vector<Message> messages_;
};

}  // namespace tolvik::testing
