// The CSV the core writes, read back for the class table, and saved as the teacher asks.

// Every record of a CSV text as its fields; a quoted field may hold commas, quotes and
// line ends (a file name can).
function ParseCsv(text) {
  const records = [];
  let fields = [];
  let field = '';
  let quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') {
        field += '"';
        ++i;
      } else if (c === '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c === '"') {
      quoted = true;
    } else if (c === ',') {
      fields.push(field);
      field = '';
    } else if (c === '\n') {
      fields.push(field);
      records.push(fields);
      fields = [];
      field = '';
    } else if (c !== '\r') {
      field += c;
    }
  }
  if (field !== '' || fields.length > 0) {
    fields.push(field);
    records.push(fields);
  }
  return records;
}

// Excel reads a CSV as UTF-8 only when it starts with the byte order mark.
const kByteOrderMark = '\uFEFF';

// Offers the text as a file to save: a Blob URL, nothing sent anywhere.
function SaveText(fileName, text, type) {
  const url = URL.createObjectURL(new Blob([text], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = fileName;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}
