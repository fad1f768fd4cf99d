#include "exceptions.h"

#include <cstring>
#include <utility>

#include "printable_bytes.h"

cException::cException(std::string title, std::string message)
    : m_title(std::move(title)), m_message(std::move(message)) {}

cException::~cException() = default;

cFileException::cFileException(const std::string& fileName, const std::string& detail,
                               Refusal refusal)
    : cException("FileException",
                 "File Error: " + printableBytes(fileName) + "\nDetail: " + printableBytes(detail)),
      m_fileName(fileName),
      m_detail(detail),
      m_refusal(refusal) {}

std::string cFileException::systemDetail(int errorNumber) {
    if (errorNumber == 0) return "Unknown error";
    return std::strerror(errorNumber);
}

cFileOpenException::cFileOpenException(const std::string& fileName, const std::string& detail,
                                       Refusal refusal)
    : cFileException(fileName, detail, refusal) {}

cFileException* newOutOfMemoryException(const std::string& fileName) {
    return new cFileException(fileName, "not enough memory to convert " + fileName,
                              cFileException::Refusal::OutOfMemory);
}

cItemNotFoundException::cItemNotFoundException(const std::string& key)
    : cException("", "Item '" + key + "' not found int HashMap") {}

cKeyNotFoundException::cKeyNotFoundException(const std::string& key)
    : cException("", "Key '" + key + "' not found int HashMap") {}
