// Unloading the library while a thread that used the control still runs:
// that thread must still be able to end (its PickerState copy goes with the library).
#include "ocx_file.h"

#include <Tollen_h.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <atomic>

using namespace picker_test;

namespace {

using GetClassObject = HRESULT STDAPICALLTYPE(REFCLSID, REFIID, void**);

struct Worker {
    GetClassObject* getClassObject;
    HANDLE used;     // set once the thread has made and released an instance
    HANDLE mayExit;  // set once the library is gone
    HRESULT result = E_FAIL;

    static DWORD WINAPI Run(void* data) {
        auto* worker = static_cast<Worker*>(data);
        ::CoInitialize(nullptr);
        IClassFactory* factory = nullptr;
        worker->result = worker->getClassObject(CLSID_Pathwick, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        if (SUCCEEDED(worker->result)) {
            IDispatch* control = nullptr;
            worker->result = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control));
            if (control) control->Release();
            factory->Release();
        }
        ::CoUninitialize();
        ::SetEvent(worker->used);
        ::WaitForSingleObject(worker->mayExit, INFINITE);
        return 0;
    }
};

TEST(LibraryUnload, AThreadThatUsedTheControlEndsAfterTheLibraryIsUnloaded) {
    HMODULE library = ::LoadLibraryW(OcxPath().c_str());
    ASSERT_NE(nullptr, library);
    Worker worker{reinterpret_cast<GetClassObject*>(reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject"))),
                  ::CreateEventW(nullptr, TRUE, FALSE, nullptr), ::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ASSERT_NE(nullptr, worker.getClassObject);
    HANDLE thread = ::CreateThread(nullptr, 0, &Worker::Run, &worker, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker.used, 60000));
    EXPECT_EQ(S_OK, worker.result);

    ASSERT_TRUE(::FreeLibrary(library));
    wchar_t unused[MAX_PATH];
    EXPECT_EQ(0u, ::GetModuleFileNameW(library, unused, MAX_PATH));  // really unloaded
    ::SetEvent(worker.mayExit);
    // A guard against a hang, not a measurement.
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 60000));
    ::CloseHandle(thread);
    ::CloseHandle(worker.used);
    ::CloseHandle(worker.mayExit);
}

}  // namespace
