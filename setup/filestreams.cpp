#include "setup/filestreams.h"

using namespace engine;

HRESULT CInFileStream::QueryInterface(const GUID &iid, void **out)
{
    if (iid == IID_IUnknown || iid == IID_ISequentialInStream || iid == IID_IInStream)
        *out = static_cast<IInStream *>(this);
    else if (iid == IID_IStreamGetSize)
        *out = static_cast<IStreamGetSize *>(this);
    else if (iid == IID_IStreamGetProps)
        *out = static_cast<IStreamGetProps *>(this);
    else if (iid == IID_IStreamGetProps2)
        *out = static_cast<IStreamGetProps2 *>(this);
    else {
        *out = nullptr;
        return kNoInterface;
    }
    AddRef();
    return kOk;
}

ULONG CInFileStream::AddRef()
{
    return ++m_refCount;
}

ULONG CInFileStream::Release()
{
    const ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

CInFileStream::~CInFileStream()
{
    close();
}

HRESULT COutFileStream::QueryInterface(const GUID &iid, void **out)
{
    if (iid == IID_IUnknown || iid == IID_ISequentialOutStream || iid == IID_IOutStream) {
        *out = static_cast<IOutStream *>(this);
        AddRef();
        return kOk;
    }
    *out = nullptr;
    return kNoInterface;
}

ULONG COutFileStream::AddRef()
{
    return ++m_refCount;
}

ULONG COutFileStream::Release()
{
    const ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

COutFileStream::~COutFileStream()
{
    Close();
}
