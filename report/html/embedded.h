// The files that the page is made of, embedded into the program at build
// time (embed_file.cmake): the page's template, script and style from this
// folder, and Chart.js as the build host's libjs-chart.js installs it. Each
// comes with the SHA-256 of its bytes, which the page's Content-Security-
// Policy names to allow exactly these inline scripts and styles.
#pragma once

#include <string_view>

namespace wus::html {

struct EmbeddedFile {
  std::string_view bytes;
  std::string_view sha256Hex;  // 64 lowercase hex digits
};

EmbeddedFile PageTemplateFile();  // page.html
EmbeddedFile PageScriptFile();    // page.js
EmbeddedFile PageStyleFile();     // page.css
EmbeddedFile ChartJsFile();       // chart.min.js

}  // namespace wus::html
