#pragma once
// One typed value of a record or property set.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace telemetry_core {
namespace utils {
class ObjectNode;
}

enum class PropertyType { NUMBER = 0, INT = 1, STRING = 2, LIST = 3, DATETIME = 4, BOOL = 5, OBJECT = 6 };

struct PropertyValue {
  PropertyType type = PropertyType::INT;
  // Holds the double, the 64-bit integer, the DATETIME seconds or the boolean.
  union {
    double number;
    int64_t integer;
    int64_t seconds;
    bool flag;
  } slot{};
  int32_t milliseconds = 0;  // DATETIME only
  std::string text;           // STRING
  std::vector<std::string> list;  // LIST
  std::shared_ptr<utils::ObjectNode> object;  // OBJECT

  static PropertyValue Number(double v);
  static PropertyValue Int(int64_t v);
  static PropertyValue String(std::string v);
  static PropertyValue List(std::vector<std::string> v);
  static PropertyValue DateTime(int64_t seconds, int32_t milliseconds);
  static PropertyValue Bool(bool v);
  static PropertyValue Object(const utils::ObjectNode& v);
};

}  // namespace telemetry_core
