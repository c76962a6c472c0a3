// A database whose loaders read files written into a fresh current folder, so
// a test reads "given this file text, the load gives this".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "database/item_database.h"
#include "test_support.h"

namespace tamrix::test {

using Loader = bool (ItemDatabase::*)(const std::string&);

class LoaderTest : public ::testing::Test {
 protected:
  // The capacities that every file loader divides by are in place.
  LoaderTest() {
    db.loadSpecItems("");
    db.stdItemCount = 450;
  }

  // Writes "-start-", a line feed and `data` to f.txt and runs `loader` on it.
  bool load(Loader loader, std::string_view data) {
    dir.write("f.txt", "-start-\n" + std::string(data));
    return (db.*loader)("f.txt");
  }

  // The text after "f.txt : " in lastError, or "<none>".
  std::string error() const {
    if (!db.lastError)
      return "<none>";
    const std::string prefix = "f.txt : ";
    const std::string& e = *db.lastError;
    return e.rfind(prefix, 0) == 0 ? e.substr(prefix.size()) : "<bad prefix> " + e;
  }

  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
  ItemDatabase db;
};

}  // namespace tamrix::test
