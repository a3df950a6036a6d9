// carrowin-demo: the warehouse application on virtual terminals, each worked
// by a scripted operator; prints every message on the wire and every screen.
//
//   carrowin-demo [--terminals N | --interactive] [--store LOCATION] [--svg FOLDER]
#include <carrowin/carrowin.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "operator_session.h"

namespace {

constexpr int32_t kMostTerminals = 99;

struct Options {
  int32_t terminals = 1;
  bool interactive = false;
  std::optional<std::string> store;
  std::optional<std::filesystem::path> pictures;
};

constexpr std::string_view kUsage =
    "usage: carrowin-demo [--terminals N | --interactive] [--store LOCATION] [--svg FOLDER]\n"
    "  --terminals N      N operators at N terminals at once (1 to 99, default 1)\n"
    "  --interactive      operate the terminal from the console instead of the script\n"
    "  --store LOCATION   the terminals' settings and status records in a persistent store\n"
    "                     (sqlite:PATH or a postgresql:// URI), for carrowin-status\n";

/// The options, or nothing after telling what is wrong.
std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--terminals" && hasValue) {
      const std::string_view value = argv[++i];
      const auto [end, error] =
          std::from_chars(value.data(), value.data() + value.size(), options.terminals);
      if (error != std::errc() || end != value.data() + value.size() || options.terminals < 1 ||
          options.terminals > kMostTerminals) {
        std::cerr << "carrowin-demo: --terminals takes 1 to 99, not '" << value << "'\n";
        return std::nullopt;
      }
    } else if (argument == "--interactive") {
      options.interactive = true;
    } else if (argument == "--store" && hasValue) {
      options.store = argv[++i];
    } else if (argument == "--svg" && hasValue) {
      options.pictures = argv[++i];
      std::error_code error;
      if (!std::filesystem::is_directory(*options.pictures, error)) {
        std::cerr << "carrowin-demo: --svg takes an existing folder, not '" << argv[i] << "'\n";
        return std::nullopt;
      }
    } else {
      std::cerr << "carrowin-demo: unknown option or missing value '" << argument << "'\n"
                << kUsage;
      return std::nullopt;
    }
  }
  if (options.interactive && options.terminals > 1) {
    std::cerr << "carrowin-demo: --interactive works one terminal\n";
    return std::nullopt;
  }
  return options;
}

/// The settings store the terminals read their records from and write their
/// status to; each record gets its terminal number and full status.
std::shared_ptr<carrowin::SettingsStore> ProvisionStore(const Options& options) {
  std::shared_ptr<carrowin::SettingsStore> store = carrowin::MemorySettingsStore::Shared();
  if (options.store) {
    store = carrowin::DatabaseSettingsStore::Open(*options.store);
    carrowin::HostFactories::UseSettingsStore(store);
  }
  for (int32_t number = 1; number <= options.terminals; ++number) {
    const std::u16string id = carrowin::demo::TerminalRecord(number);
    store->SetSetting(u"Terminal", id, u"TerminalId", carrowin::Variant(number));
    store->SetSetting(u"Terminal", id, u"statusUpdateLevel", carrowin::Variant(int32_t{3}));
  }
  return store;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) return 2;
  try {
    const std::shared_ptr<carrowin::SettingsStore> store = ProvisionStore(*options);
    if (options->interactive) {
      carrowin::demo::OperatorSession(1, std::cout, options->pictures).RunConsole(std::cin);
      store->Flush();
      return 0;
    }
    // Each operator works on a thread of its own; the transcripts are printed
    // one after the other, so that each reads as one session.
    std::vector<std::ostringstream> transcripts(static_cast<size_t>(options->terminals));
    std::vector<std::string> failures(transcripts.size());
    {
      std::vector<std::jthread> operators;
      for (size_t i = 0; i < transcripts.size(); ++i) {
        operators.emplace_back([&, i] {
          try {
            carrowin::demo::OperatorSession(static_cast<int32_t>(i + 1), transcripts[i],
                                            options->pictures)
                .RunScript();
          } catch (const carrowin::Error& error) {
            failures[i] = carrowin::ToUtf8(error.Description());
          }
        });
      }
    }
    store->Flush();
    int status = 0;
    for (size_t i = 0; i < transcripts.size(); ++i) {
      if (transcripts.size() > 1) std::cout << "##### terminal T" << i + 1 << "\n";
      std::cout << transcripts[i].str();
      if (failures[i].empty()) continue;
      std::cerr << "carrowin-demo: terminal T" << i + 1 << ": " << failures[i] << '\n';
      status = 1;
    }
    return status;
  } catch (const carrowin::Error& error) {
    std::cerr << "carrowin-demo: " << carrowin::ToUtf8(error.Description()) << '\n';
    return 1;
  }
}
