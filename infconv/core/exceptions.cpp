#include "exceptions.h"

#include <cstring>
#include <utility>

cException::cException(std::string title, std::string message)
    : m_title(std::move(title)), m_message(std::move(message)) {}

cException::~cException() = default;

cFileException::cFileException(const std::string& fileName, const std::string& detail)
    : cException("FileException", "File Error: " + fileName + "\nDetail: " + detail),
      m_fileName(fileName),
      m_detail(detail) {}

std::string cFileException::systemDetail(int errorNumber) {
    if (errorNumber == 0) return "Unknown error";
    return std::strerror(errorNumber);
}

cFileOpenException::cFileOpenException(const std::string& fileName, const std::string& detail)
    : cFileException(fileName, detail) {}

cItemNotFoundException::cItemNotFoundException(const std::string& key)
    : cException("", "Item '" + key + "' not found int HashMap") {}

cKeyNotFoundException::cKeyNotFoundException(const std::string& key)
    : cException("", "Key '" + key + "' not found int HashMap") {}
