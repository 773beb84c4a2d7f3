// The key as the teacher gives it: typed, or a key file. Either way the core reads it as a
// key file's bytes, so a typed key is judged by the same rules as a loaded one.

// A typed key as a key file: one line a question. Text of one line without separators is
// one answer a character ("abcde"); commas separate answers as line ends do.
function TypedKeyBytes(text) {
  let answers = text.replace(/\r\n?/g, '\n').split(/[\n,]/);
  if (answers.length === 1 && answers[0].trim().length > 1)
    answers = Array.from(answers[0].trim());
  const lines = answers.map((answer) => {
    const letter = answer.trim().slice(0, 1).toLowerCase();
    return (letter === '-' ? '' : letter) + '  \r\n';
  });
  return new TextEncoder().encode(lines.join(''));
}

// The key the page holds: bytes of a key file, and where they came from.
class KeyEntry {
  constructor() {
    this.bytes = null;
    this.fileName = '';
  }

  SetTyped(text) {
    this.fileName = '';
    this.bytes = text.trim() === '' ? null : TypedKeyBytes(text);
  }

  async SetFile(file) {
    this.fileName = file.name;
    this.bytes = new Uint8Array(await file.arrayBuffer());
  }
}
