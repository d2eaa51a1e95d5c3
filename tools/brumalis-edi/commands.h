// The commands of brumalis-edi. Each raises CTToolError (or a stream, format
// or schema error) for unreadable input; main turns those into exit code 1.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

namespace brumalis::edi_tool {

class CTToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void Compress(const std::string& szIn, const std::string& szOut);
void Expand(const std::string& szIn, const std::string& szOut);
void Rewrite(const std::string& szIn, const std::string& szOut);
void Dump(const std::string& szIn, std::ostream& out);
void Check(const std::string& szIn, std::ostream& out);
void Stats(const std::string& szIn, std::ostream& out);
void Schema(const std::string& szOut);
void WriteBlob(const std::string& szName, const std::string& szOut);
// A prices file to fill in: one header and one entry per unit of the catalogue.
void PriceTemplate(const std::string& szCatalogue, const std::string& szOut, std::ostream& out);

}  // namespace brumalis::edi_tool
