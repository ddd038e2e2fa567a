#pragma once
// One save cycle's changes to a store, written to its file once, at the end.
//
// Without a batch every key close saves the store: a form's save would replace the file a dozen
// times. While a batch is open on the calling thread, key closes only leave their changes
// pending in the store's journal; commit() at the end of the outermost batch saves them all in
// one write, with the same lock, merge and atomic replacement as any save. Reads inside the
// batch see its changes, since they are in the store's tree at once.
//
// Batches nest: an inner one ends without saving and the outermost end saves. A batch left by
// an exception saves what was changed so far; if that save fails the changes stay pending and
// go with the store's next save (or its end, which reports a failure), as any failed save does.
//
//     RegistryBatch batch(root);
//     ... open, write and close keys ...
//     batch.commit();  // raises ERegistryException when the file cannot be written
#include <memory>

#include "store/RegistryStore.h"

namespace lindora {

class RegistryBatch {
public:
    // A batch on the root's shared store, the one Registry objects of that root use.
    explicit RegistryBatch(RegistryRoot root);
    explicit RegistryBatch(std::shared_ptr<RegistryStore> store);
    // Ends the batch when commit() was not reached; a failed save is not raised from here.
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    // Ends the batch. The outermost one saves the store's pending changes and raises
    // ERegistryException when that fails; the changes then stay pending.
    void commit();

private:
    std::shared_ptr<RegistryStore> store_;
    bool open_ = true;
};

}  // namespace lindora
