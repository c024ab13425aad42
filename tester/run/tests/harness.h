#pragma once
// An engine wired to the fake platform and the fake component.
#include <string>

#include "fake_component.h"
#include "fake_platform.h"
#include "run_engine.h"

namespace quarrow::run {

inline const std::string kWindowsProgramFolder = "c:\\qrw";
inline const std::string kPosixProgramFolder = "/opt/qrw";

struct Harness {
  explicit Harness(std::string commandLine = "", char separator = '\\')
      : platform(separator),
        engine(platform, platform, platform, component,
               EngineSettings{separator == '\\' ? kWindowsProgramFolder : kPosixProgramFolder,
                              std::move(commandLine), separator, separator == '\\', std::nullopt}),
        programFolder(separator == '\\' ? kWindowsProgramFolder : kPosixProgramFolder) {
    platform.engine = &engine;
    platform.AddFolder(programFolder);
    engine.StartUp();
  }

  std::string ProgramFile(const std::string& name) const {
    return programFolder + (programFolder[0] == '/' ? "/" : "\\") + name;
  }
  std::string Log() const { return platform.Content(ProgramFile("Quarrow.log")); }
  std::string Errors() const { return platform.Content(ProgramFile("errors.txt")); }
  std::string Totals() const { return platform.Content(ProgramFile("QRtot.txt")); }
  RunRecord& Record() { return engine.record_; }

  FakePlatform platform;
  FakeComponent component;
  RunEngine engine;
  std::string programFolder;
};

}  // namespace quarrow::run
