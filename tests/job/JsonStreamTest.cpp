// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/JsonStream.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

// Writes `value` through the writer, as the report writes its parts.
void Emit(const Json& value, CJsonWriter& out) {
  switch (value.type()) {
    case Json::value_t::object:
      out.BeginObject();
      for (const auto& [key, item] : value.items()) {
        out.Key(key);
        Emit(item, out);
      }
      out.End();
      break;
    case Json::value_t::array:
      out.BeginArray();
      for (const Json& item : value) Emit(item, out);
      out.End();
      break;
    case Json::value_t::string:
      out.String(value.get<std::string>());
      break;
    case Json::value_t::boolean:
      out.Bool(value.get<bool>());
      break;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
      out.Int(value.get<int64_t>());
      break;
    case Json::value_t::number_float:
      out.Double(value.get<double>());
      break;
    default:
      out.Null();
  }
}

// The writer lays a document out byte for byte as the JSON library's
// dump(2) does, which the report printed before it was streamed.
TEST(JsonStreamTest, LaysOutAsTheJsonLibraryDoes) {
  const char* documents[] = {
      "{}",
      "[]",
      R"({"a": [], "b": {}, "c": [[], [{}]], "d": null})",
      R"([1, -2, 0.5, 3.225, 100.0, 1e21, 1.5e-7, true, false])",
      R"({"text": "quote \" backslash \\ tab \t nl \n cr \r \b \f \u0001 \u001f é"})",
      R"({"rows": [{"y": 1, "cells": ["B1", "2", ""], "item": true}]})",
  };
  for (const char* document : documents) {
    SCOPED_TRACE(document);
    const Json value = Json::parse(document);
    CTextStream text;
    CJsonWriter writer(text);
    Emit(value, writer);
    EXPECT_EQ(text.Take(), value.dump(2));
  }
  CTextStream text;
  CJsonWriter(text).Latin1("A\xB0\xFF");
  EXPECT_EQ(text.Take(), "\"A\xC2\xB0\xC3\xBF\"");
}

}  // namespace
