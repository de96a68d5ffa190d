#include "source/src/sdk/Sdk.h"

#include <cstdlib>
#include <ctime>

#include "source/src/sdk/NameRules.h"
#include "source/src/sdk/TrackId.h"

namespace telemetry_core {

Sdk* Sdk::instance_ = nullptr;

Sdk::Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId)
    : distinctId_(distinctId), isLoginId_(isLoginId), consumer_(new BatchConsumer(serverUrl, stagingPath)) {}

bool Sdk::Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId) {
  if (!CheckId(distinctId, "Distinct ID")) return false;
  if (instance_) return true;
  instance_ = new Sdk(stagingPath, serverUrl, distinctId, isLoginId);
  ClearSuperProperties();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  return true;
}

void Sdk::Shutdown() {
  delete instance_;  // the consumer writes its queue to the staging file
  instance_ = nullptr;
}

bool Sdk::AddRecord(const std::string& type, const std::string& event, const PropertiesNode& properties,
                    const std::string& distinctId, const std::string& originalId) {
  if (!properties.Check()) return false;
  if (type == "track" && !CheckName(event, "Event Name")) return false;
  if (type == "track_signup" && !CheckId(originalId, "Original ID")) return false;

  PropertiesNode set;
  if (type.find("track") != std::string::npos) set.Merge(superProperties_);
  set.Merge(properties);

  int64_t time = NowMilliseconds();
  if (const PropertyValue* t = set.Find("$time")) {
    time = t->slot.seconds * 1000 + t->milliseconds;
    set.Remove("$time");
  }
  std::string project;
  if (const PropertyValue* p = set.Find("$project")) {
    project = p->text;
    set.Remove("$project");
  }
  if (isLoginId_) set.SetBool("$is_login_id", true);

  utils::ObjectNode lib;
  lib.Set("$lib", PropertyValue::String("cpp"));
  lib.Set("$lib_method", PropertyValue::String("code"));
  lib.Set("$lib_version", PropertyValue::String("0.9"));

  utils::ObjectNode record;
  record.Set("_track_id", PropertyValue::Int(NewTrackId()));
  record.Set("distinct_id", PropertyValue::String(distinctId));
  if (type == "track" || type == "track_signup") record.Set("event", PropertyValue::String(event));
  record.SetObject("lib", lib);
  if (type == "track_signup") record.Set("original_id", PropertyValue::String(originalId));
  if (!project.empty()) record.Set("project", PropertyValue::String(project));
  record.Set("properties", PropertyValue::Object(set));
  record.Set("time", PropertyValue::Int(time));
  record.Set("type", PropertyValue::String(type));
  consumer_->Add(record.ToJson());
  return true;
}

void Sdk::Track(const std::string& event, const PropertiesNode& properties) {
  if (instance_) instance_->AddRecord("track", event, properties, instance_->distinctId_, "");
}
void Sdk::Track(const std::string& event) { Track(event, PropertiesNode()); }

void Sdk::TrackInstall(const std::string& event, const PropertiesNode& properties) {
  if (!instance_) return;
  PropertiesNode set;
  set.SetString("$ios_install_source", "");
  set.Merge(properties);
  instance_->AddRecord("track", event, set, instance_->distinctId_, "");
}

void Sdk::Login(const std::string& loginId) {
  if (!instance_) return;
  instance_->AddRecord("track_signup", "$SignUp", PropertiesNode(), loginId, instance_->distinctId_);
  instance_->distinctId_ = loginId;
  instance_->isLoginId_ = true;
}

namespace {
PropertiesNode One(const std::string& key, PropertyValue value) {
  PropertiesNode set;
  set.Set(key, std::move(value));
  return set;
}
}  // namespace

void Sdk::ProfileSet(const PropertiesNode& properties) {
  if (instance_) instance_->AddRecord("profile_set", "", properties, instance_->distinctId_, "");
}
void Sdk::ProfileSetString(const std::string& key, const std::string& text) {
  PropertiesNode set;
  set.SetString(key, text);
  ProfileSet(set);
}
void Sdk::ProfileSetNumber(const std::string& key, int32_t value) { ProfileSet(One(key, PropertyValue::Int(value))); }
void Sdk::ProfileSetNumber(const std::string& key, double value) { ProfileSet(One(key, PropertyValue::Number(value))); }
void Sdk::ProfileSetOnce(const PropertiesNode& properties) {
  if (instance_) instance_->AddRecord("profile_set_once", "", properties, instance_->distinctId_, "");
}
void Sdk::ProfileSetOnceString(const std::string& key, const std::string& text) {
  PropertiesNode set;
  set.SetString(key, text);
  ProfileSetOnce(set);
}
void Sdk::ProfileSetOnceNumber(const std::string& key, int32_t value) {
  ProfileSetOnce(One(key, PropertyValue::Int(value)));
}
void Sdk::ProfileSetOnceNumber(const std::string& key, double value) {
  ProfileSetOnce(One(key, PropertyValue::Number(value)));
}
void Sdk::ProfileIncrement(const PropertiesNode& properties) {
  if (instance_) instance_->AddRecord("profile_increment", "", properties, instance_->distinctId_, "");
}
void Sdk::ProfileIncrement(const std::string& key, int32_t value) {
  ProfileIncrement(One(key, PropertyValue::Int(value)));
}
void Sdk::ProfileAppend(const std::string& key, const std::string& text) {
  if (instance_)
    instance_->AddRecord("profile_append", "", One(key, PropertyValue::List({text})), instance_->distinctId_, "");
}

void Sdk::RegisterSuperProperties(const PropertiesNode& properties) {
  if (instance_) instance_->superProperties_.Merge(properties);
}
void Sdk::ClearSuperProperties() {
  if (!instance_) return;
  instance_->superProperties_.Clear();
  instance_->superProperties_.SetString("$lib", "cpp");
  instance_->superProperties_.SetString("$lib_version", "0.9");
}
void Sdk::SetDistinctId(const std::string& id, bool isLoginId) {
  if (!instance_) return;
  instance_->distinctId_ = id;
  instance_->isLoginId_ = isLoginId;
}
std::string Sdk::DistinctId() { return instance_ ? instance_->distinctId_ : std::string(); }

bool Sdk::Flush() { return instance_ ? instance_->consumer_->Flush() : false; }
bool Sdk::FlushAll() { return instance_ ? instance_->consumer_->FlushAll() : false; }
size_t Sdk::QueueSize() { return instance_ ? instance_->consumer_->QueueSize() : 0; }
BatchConsumer* Sdk::Consumer() { return instance_ ? instance_->consumer_.get() : nullptr; }

}  // namespace telemetry_core
