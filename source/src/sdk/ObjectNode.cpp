#include "source/src/sdk/ObjectNode.h"

#include <cstdio>
#include <ctime>
#include <sstream>

namespace telemetry_core {

PropertyValue PropertyValue::Number(double v) {
  PropertyValue p;
  p.type = PropertyType::NUMBER;
  p.slot.number = v;
  return p;
}
PropertyValue PropertyValue::Int(int64_t v) {
  PropertyValue p;
  p.type = PropertyType::INT;
  p.slot.integer = v;
  return p;
}
PropertyValue PropertyValue::String(std::string v) {
  PropertyValue p;
  p.type = PropertyType::STRING;
  p.text = std::move(v);
  return p;
}
PropertyValue PropertyValue::List(std::vector<std::string> v) {
  PropertyValue p;
  p.type = PropertyType::LIST;
  p.list = std::move(v);
  return p;
}
PropertyValue PropertyValue::DateTime(int64_t seconds, int32_t milliseconds) {
  PropertyValue p;
  p.type = PropertyType::DATETIME;
  p.slot.seconds = seconds;
  p.milliseconds = milliseconds;
  return p;
}
PropertyValue PropertyValue::Bool(bool v) {
  PropertyValue p;
  p.type = PropertyType::BOOL;
  p.slot.flag = v;
  return p;
}
PropertyValue PropertyValue::Object(const utils::ObjectNode& v) {
  PropertyValue p;
  p.type = PropertyType::OBJECT;
  p.object = std::make_shared<utils::ObjectNode>(v);
  return p;
}

namespace utils {

void ObjectNode::SetObject(const std::string& key, const ObjectNode& object) {
  Set(key, PropertyValue::Object(object));
}

const PropertyValue* ObjectNode::Find(const std::string& key) const {
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

std::string JsonQuote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  out += '"';
  return out;
}

std::string FormatLocalDateTime(int64_t seconds, int32_t milliseconds) {
  time_t t = static_cast<time_t>(seconds);
  struct tm local {};
  if (localtime_s(&local, &t) != 0) return "0000-00-00 00:00:00.000";  // out of the C runtime's range
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(milliseconds));
  return buf;
}

static void WriteValue(std::string& out, const PropertyValue& v) {
  switch (v.type) {
    case PropertyType::NUMBER: {
      std::ostringstream s;
      s << v.slot.number;
      out += s.str();
      break;
    }
    case PropertyType::INT: out += std::to_string(v.slot.integer); break;
    case PropertyType::STRING: out += JsonQuote(v.text); break;
    case PropertyType::LIST: {
      out += '[';
      for (size_t i = 0; i < v.list.size(); ++i) {
        if (i) out += ',';
        out += JsonQuote(v.list[i]);
      }
      out += ']';
      break;
    }
    case PropertyType::DATETIME:
      out += '"' + FormatLocalDateTime(v.slot.seconds, v.milliseconds) + '"';
      break;
    case PropertyType::BOOL: out += v.slot.flag ? "true" : "false"; break;
    case PropertyType::OBJECT: out += v.object ? v.object->ToJson() : "{}"; break;
  }
}

std::string ObjectNode::ToJson() const {
  std::string out = "{";
  bool first = true;
  for (const auto& [key, value] : entries_) {
    if (!first) out += ',';
    first = false;
    out += '"' + key + "\":";
    WriteValue(out, value);
  }
  out += '}';
  return out;
}

}  // namespace utils
}  // namespace telemetry_core
