#include "app/calc/report.h"

#include <algorithm>
#include <cstring>

#include "app/calc/json_report.h"

namespace lobrin::calc {

namespace {

// Whether RFC 4180 quotes the field: it holds a comma, a double quote, CR or LF.
bool NeedsQuotes(const std::string& text) {
  const char* at = text.c_str();
  const char* const end = at + text.size();
  for (;;) {
    at += std::strcspn(at, ",\"\r\n");
    if (at == end) {
      return false;
    }
    if (*at != '\0') {
      return true;
    }
    ++at;  // a NUL byte in the text: the search goes on after it
  }
}

void AppendCsvField(const std::string& text, std::string& out) {
  if (!NeedsQuotes(text)) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') {
      out += '"';
    }
    out += c;
  }
  out += '"';
}

}  // namespace

std::string TableOf(const std::vector<Column>& columns, const std::vector<Cells>& rows) {
  Cells titles;
  for (const Column& column : columns) {
    titles.push_back(column.title);
  }
  std::vector<std::size_t> widths(columns.size());
  auto widen = [&](const Cells& cells) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      widths[c] = std::max(widths[c], cells[c].size());
    }
  };
  widen(titles);
  for (const Cells& cells : rows) {
    widen(cells);
  }
  std::string text;
  auto appendLine = [&](const Cells& cells) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) {
        text += "  ";
      }
      text.append(widths[c] - cells[c].size(), ' ');
      text += cells[c];
    }
    text += '\n';
  };
  appendLine(titles);
  for (const Cells& cells : rows) {
    appendLine(cells);
  }
  return text;
}

std::string CsvHeaderOf(const std::vector<Column>& columns) {
  Cells names;
  for (const Column& column : columns) {
    names.push_back(column.name);
  }
  std::string header;
  AppendCsvRecord(names, header);
  return header;
}

void AppendCsvRecord(const Cells& cells, std::string& out) {
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c > 0) {
      out += ',';
    }
    AppendCsvField(cells[c], out);
  }
  out += "\r\n";
}

void AppendRows(Format format, const std::vector<Column>& columns, const std::vector<Cells>& rows,
                std::string& out) {
  switch (format) {
    case Format::kDefault: out += TableOf(columns, rows); break;
    case Format::kCsv:
      out += CsvHeaderOf(columns);
      for (const Cells& cells : rows) {
        AppendCsvRecord(cells, out);
      }
      break;
    case Format::kJson:
      for (const Cells& cells : rows) {
        AppendJsonLine(columns, cells, out);
      }
      break;
  }
}

BatchRowWriter::BatchRowWriter(Format format, const std::vector<Column>& columns, Output& output)
    : json_(format == Format::kJson), columns_(columns), output_(output) {
  if (!json_) {
    output_.text() += CsvHeaderOf(columns_);
  }
}

bool BatchRowWriter::Write(const Cells& cells) {
  if (json_) {
    AppendJsonLine(columns_, cells, output_.text());
  } else {
    AppendCsvRecord(cells, output_.text());
  }
  return output_.WriteIfFull();
}

}  // namespace lobrin::calc
