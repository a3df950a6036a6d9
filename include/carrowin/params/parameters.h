#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "carrowin/host/error_reporter.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

/// What the library knows about one terminal's hardware and firmware: model,
/// firmware version, features, configuration, screen sizes, field capacity
/// and saved pages. `Columns`, `Rows` and `LanguageID` come from the
/// terminal's settings; the rest from its reply to a parameter query.
/// Not thread-safe: it belongs to its terminal's processing.
class Parameters {
 public:
  /// Creates the object with a trace of its own (from `factories`), a
  /// virtual screen of 80 columns by 24 rows and every other number 0.
  explicit Parameters(HostFactories factories = {});

  /// Takes a writer of the terminal's trace, replacing the own one, and
  /// traces "Trace created". Raises error 91 for no trace.
  void Initialize(const std::shared_ptr<ProcessTrace>& processTrace);

  /// Decodes the eight reply bytes at `position` of the inbound message
  /// `data`, storing each value as soon as it is decoded, then traces them.
  /// `Columns` and `Rows` change only while they are 0. A reply that ends
  /// early raises error 9 (subscript out of range) at the first missing
  /// byte; the values decoded before it keep their new values and nothing
  /// is traced.
  void LoadData(std::span<const uint8_t> data, int32_t position);

  int16_t Application() const { return application_; }
  /// Columns the terminal shows; setting it also sets `VirtualColumns`
  /// while that is 0.
  int16_t Columns() const { return columns_; }
  void SetColumns(int16_t value);
  int16_t Config() const { return config_; }
  int16_t Features() const { return features_; }
  /// The largest number of fields the terminal can store.
  int16_t MaxField() const { return maxField_; }
  int16_t Model() const { return model_; }
  /// Rows the terminal shows; setting it also sets `VirtualRows` while that
  /// is 0.
  int16_t Rows() const { return rows_; }
  void SetRows(int16_t value);
  /// The terminal's two-character language key.
  const std::u16string& LanguageID() const { return languageID_; }
  void SetLanguageID(std::u16string value) { languageID_ = std::move(value); }
  /// Pages the terminal presently keeps saved.
  int16_t SavedPages() const { return savedPages_; }
  int16_t Version() const { return version_; }
  int16_t VirtualColumns() const { return virtualColumns_; }
  int16_t VirtualRows() const { return virtualRows_; }

  const std::shared_ptr<TraceWriter>& GetTraceWriter() const { return traceWriter_; }
  const std::shared_ptr<ErrorReporter>& GetErrorReporter() const { return errorReporter_; }

 private:
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  int16_t application_ = 0;
  int16_t columns_ = 0;
  int16_t config_ = 0;
  int16_t features_ = 0;
  int16_t maxField_ = 0;
  int16_t model_ = 0;
  int16_t rows_ = 0;
  std::u16string languageID_;
  int16_t savedPages_ = 0;
  int16_t version_ = 0;
  int16_t virtualColumns_ = 80;
  int16_t virtualRows_ = 24;
};

}  // namespace carrowin
