#pragma once
// The single process-wide analytics core. Every operation other than Init does
// nothing while no instance exists; nothing here throws to the caller.
#include <cstdint>
#include <memory>
#include <string>

#include "source/src/sdk/BatchConsumer.h"
#include "source/src/sdk/PropertiesNode.h"

namespace telemetry_core {

class Sdk {
 public:
  static bool Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
                   bool isLoginId);
  static void Shutdown();
  static bool IsReady() { return instance_ != nullptr; }

  static void Track(const std::string& event, const PropertiesNode& properties);
  static void Track(const std::string& event);
  static void TrackInstall(const std::string& event, const PropertiesNode& properties);
  static void Login(const std::string& loginId);

  static void ProfileSet(const PropertiesNode& properties);
  static void ProfileSetString(const std::string& key, const std::string& text);
  static void ProfileSetNumber(const std::string& key, int32_t value);
  static void ProfileSetNumber(const std::string& key, double value);
  static void ProfileSetOnce(const PropertiesNode& properties);
  static void ProfileSetOnceString(const std::string& key, const std::string& text);
  static void ProfileSetOnceNumber(const std::string& key, int32_t value);
  static void ProfileSetOnceNumber(const std::string& key, double value);
  static void ProfileIncrement(const PropertiesNode& properties);
  static void ProfileIncrement(const std::string& key, int32_t value);
  static void ProfileAppend(const std::string& key, const std::string& text);

  static void RegisterSuperProperties(const PropertiesNode& properties);
  static void ClearSuperProperties();
  static void SetDistinctId(const std::string& id, bool isLoginId);
  static std::string DistinctId();

  static bool Flush();
  static bool FlushAll();
  static size_t QueueSize();  // 0 without an instance
  static BatchConsumer* Consumer();  // null without an instance

 private:
  Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId);
  bool AddRecord(const std::string& type, const std::string& event, const PropertiesNode& properties,
                 const std::string& distinctId, const std::string& originalId);

  PropertiesNode superProperties_;
  std::string distinctId_;
  bool isLoginId_ = false;
  std::unique_ptr<BatchConsumer> consumer_;

  static Sdk* instance_;
};

}  // namespace telemetry_core
