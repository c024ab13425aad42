#pragma once
// Creating an object of an in-process server: by its registered class id,
// or from the library file itself through the library's class object, so
// that a program can use the library beside it without registration.
#include <windows.h>
#include <unknwn.h>

#include <string>

#include "com_ptr.h"

namespace mz::client {

// The path of `file_name` in the folder of the running program.
std::wstring beside_program(const std::wstring& file_name);

// Creates an object of class `clsid` through the class object of the
// library at `library_path`. The library stays loaded for the life of the
// process: its objects may be held until the end.
HRESULT create_from_library(const std::wstring& library_path, REFCLSID clsid, REFIID iid, void** object);

// Creates the class as registered, else from the library at
// `library_path`; when both fail, the library's failure.
HRESULT create(REFCLSID clsid, const std::wstring& library_path, REFIID iid, void** object);

template <class Interface>
HRESULT create_from_library(const std::wstring& library_path, REFCLSID clsid, com::ComPtr<Interface>& object) {
  return create_from_library(library_path, clsid, __uuidof(Interface), reinterpret_cast<void**>(object.put()));
}

template <class Interface>
HRESULT create(REFCLSID clsid, const std::wstring& library_path, com::ComPtr<Interface>& object) {
  return create(clsid, library_path, __uuidof(Interface), reinterpret_cast<void**>(object.put()));
}

}  // namespace mz::client
