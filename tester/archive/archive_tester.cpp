#include "archive_tester.h"

#include "archive_operation.h"
#include "byte_source.h"

#include <new>

namespace quarrow::archive {

const char* StructureCheckName(StructureCheck check) {
  switch (check) {
    case StructureCheck::kNone: return "";
    case StructureCheck::kEndRecord: return "end-record";
    case StructureCheck::kZip64Records: return "zip64-records";
    case StructureCheck::kCentralDirectory: return "central-directory";
    case StructureCheck::kEntryCount: return "entry-count";
    case StructureCheck::kEntryLayout: return "entry-layout";
    case StructureCheck::kLocalHeader: return "local-header";
    case StructureCheck::kDataDescriptor: return "data-descriptor";
    case StructureCheck::kUndefinedMethod: return "undefined-method";
  }
  return "";
}

ArchiveTester::ArchiveTester() = default;
ArchiveTester::~ArchiveTester() = default;

int16_t ArchiveTester::Extract(int16_t /*flags*/) {
  abort_.store(false, std::memory_order_relaxed);
  return Run(OperationKind::kExtract);
}

int16_t ArchiveTester::Test() {
  abort_.store(false, std::memory_order_relaxed);
  return Run(OperationKind::kTest);
}

int16_t ArchiveTester::Run(OperationKind kind) {
  // The status handler may change the properties (or the handler itself)
  // while the operation runs; the operation keeps what it started with.
  const OperationSettings settings{kind, fileMask_, destination_, keepFolderNames_, engine_, help_, shareFrom_};
  const StatusHandler status = status_;
  detail_ = ResultDetail{};
  bool denied = false;
  const std::unique_ptr<FileByteSource> source = FileByteSource::Open(archiveName_, &denied);
  if (!source) return denied ? kPermissionDenied : kCannotRead;
  try {
    // The workspace is taken for the length of the operation: an operation
    // started from a status handler finds none and makes its own.
    std::unique_ptr<OperationWorkspace> workspace = std::move(workspace_);
    if (!workspace) workspace = std::make_unique<OperationWorkspace>();
    const ResultCode result = RunOperation(*source, settings, abort_, status, *workspace, detail_);
    workspace_ = std::move(workspace);
    return result;
  } catch (const std::bad_alloc&) {
    // A directory of more entries than memory holds cannot be read.
    return kCannotRead;
  }
}

}  // namespace quarrow::archive
