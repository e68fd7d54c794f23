// Validates glTF files (.glb or .gltf with their buffers beside them) and prints one line per
// file: "PATH: E errors, W warnings, I infos", then one line per error or warning. Exits 1 when
// any file has an error or a warning, 2 when a file cannot be read.
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

async function validate(file) {
  const bytes = new Uint8Array(fs.readFileSync(file));
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    externalResourceFunction: (uri) =>
      new Promise((resolve, reject) => {
        fs.readFile(path.join(path.dirname(file), decodeURIComponent(uri)), (error, data) =>
          error ? reject(error.toString()) : resolve(new Uint8Array(data)));
      }),
  });
  const issues = report.issues;
  console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
              `${issues.numInfos} infos`);
  for (const message of issues.messages) {
    if (message.severity <= 1)
      console.log(`  ${message.code} ${message.pointer || ''}: ${message.message}`);
  }
  return issues.numErrors + issues.numWarnings;
}

(async () => {
  let problems = 0;
  for (const file of process.argv.slice(2)) {
    try {
      problems += await validate(file);
    } catch (error) {
      console.log(`${file}: cannot be validated: ${error}`);
      process.exit(2);
    }
  }
  process.exit(problems > 0 ? 1 : 0);
})();
