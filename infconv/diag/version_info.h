// The program's file version, queried once per process.
#pragma once

#include <string>

class cVersionInfo {
  public:
    cVersionInfo();
    const std::string& version() const { return version_; }

  private:
    std::string version_ = "1.000";
};

// The process's one version object, created on first use.
cVersionInfo& versionInfo();
