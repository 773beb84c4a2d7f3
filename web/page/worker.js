// A grading worker: one module, the key set once, then one scan a message. Its source
// follows the module's in one Blob, so it starts from file:// as from a server.
const gModule = VantrelModule();

// Copies bytes into the module's memory for the length of one call.
function WithBytes(module, bytes, call) {
  const pointer = module._malloc(Math.max(1, bytes.length));
  module.HEAPU8.set(bytes, pointer);
  try {
    return call(pointer, bytes.length);
  } finally {
    module._free(pointer);
  }
}

function WithText(module, text, call) {
  return WithBytes(module, new TextEncoder().encode(text + '\0'), (pointer) => call(pointer));
}

onmessage = async (event) => {
  const message = event.data;
  const module = await gModule;
  const text = () => module.UTF8ToString(module._vantrel_text());
  try {
    if (message.type === 'key') {
      const count = WithBytes(module, new Uint8Array(message.bytes), (p, n) => module._vantrel_set_key(p, n));
      const messages = text();
      module._vantrel_csv_header();
      postMessage({ type: 'key', count, messages, header: text() });
    } else if (message.type === 'grade') {
      const pages = WithText(module, message.name, (name) =>
        WithBytes(module, new Uint8Array(message.bytes), (p, n) => module._vantrel_grade(name, p, n)));
      postMessage({ type: 'graded', index: message.index, pages, rows: pages < 0 ? '' : text(),
        failure: pages < 0 ? text() : '' });
    }
  } catch (error) {
    // An aborted module is not used again: the page starts another worker.
    postMessage({ type: 'crashed', index: message.index, failure: String(error && error.message || error) });
  }
};
