#pragma once
// What a command reports: one tree of values, printed either as one JSON
// document or as aligned text.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tessaly::cli {

class OutputValue {
  public:
    using Array = std::vector<OutputValue>;
    using Object = std::vector<std::pair<std::string, OutputValue>>;

    OutputValue() = default;
    OutputValue(bool value) : data_(value) {}
    OutputValue(int value) : data_(static_cast<int64_t>(value)) {}
    OutputValue(int64_t value) : data_(value) {}
    OutputValue(std::string value) : data_(std::move(value)) {}
    OutputValue(const char* value) : data_(std::string(value)) {}
    OutputValue(Array value) : data_(std::move(value)) {}
    OutputValue(Object value) : data_(std::move(value)) {}

    static OutputValue MakeObject() { return OutputValue(Object{}); }
    static OutputValue MakeArray() { return OutputValue(Array{}); }

    // On an object: appends the member (keys keep their order).
    OutputValue& Set(std::string key, OutputValue value);
    // On an array: appends the element.
    OutputValue& Append(OutputValue value);

    const Object* AsObject() const { return std::get_if<Object>(&data_); }
    const Array* AsArray() const { return std::get_if<Array>(&data_); }
    // A scalar as the text output shows it.
    std::string ScalarText() const;

    std::string ToJson() const;

  private:
    void WriteJson(std::string& out, int indent) const;
    std::variant<std::monostate, bool, int64_t, std::string, Array, Object> data_;
};

// Objects as "key  value" lines with the keys aligned; arrays of objects as
// a table with a header row; nested objects indented.
std::string ToText(const OutputValue& value);

}  // namespace tessaly::cli
