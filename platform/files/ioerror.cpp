// Reasons for failed file operations. The save opens the target's directory first, so a
// missing file there (ENOENT) means a missing directory on the way to it.
#include "platform/files/ioerror.h"

#include <cerrno>

namespace vadidazid {

std::string ErrorReason(int errnum) {
  switch (errnum) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOENT:
      return "no such directory";
    case ENOTDIR:
      return "a part of the path is not a directory";
    case EROFS:
      return "read-only file system";
    case ENOSPC:
      return "no space left on the device";
    case EDQUOT:
      return "disk quota exceeded";
    case ENAMETOOLONG:
      return "name too long";
    case EISDIR:
      return "is a directory";
    case ELOOP:
      return "too many levels of symbolic links";
    case EFBIG:
      return "file too large";
    case EIO:
      return "input/output error";
    case EPIPE:
      return "broken pipe";
    case EBADF:
      return "no open descriptor of that number for writing";
    case EMFILE:
    case ENFILE:
      return "too many open files";
    case ETXTBSY:
      return "text file busy";
    case EEXIST:
      return "the file was replaced while it was written";
    case ENXIO:
      return "no such device";
    case ENOMEM:
      return "out of memory";
    default:
      return "error " + std::to_string(errnum);
  }
}

std::string CreateFileMessage(const std::string& name, int errnum) {
  return CreateFileMessage(name, ErrorReason(errnum));
}

std::string CreateFileMessage(const std::string& name, const std::string& reason) {
  return "Cannot create file " + name + ": " + reason;
}

std::string WriteErrorMessage(const std::string& name, int errnum) {
  return WriteErrorMessage(name, ErrorReason(errnum));
}

std::string WriteErrorMessage(const std::string& name, const std::string& reason) {
  return WriteErrorMessage(name) + ": " + reason;
}

std::string WriteErrorMessage(const std::string& name) {
  return "Stream write error (" + name + ")";
}

}  // namespace vadidazid
