// The package's types, as a TypeScript user meets them: a program written
// against them (consumer.mts) compiles under strict checking in a project
// that installed the tarball.
import { execFileSync } from 'node:child_process';
import { copyFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';

import { installProject } from './installed.mjs';

test('a strict TypeScript program compiles against index.d.ts', () => {
  const project = installProject();
  copyFileSync(fileURLToPath(new URL('consumer.mts', import.meta.url)), join(project, 'consumer.mts'));
  writeFileSync(join(project, 'tsconfig.json'), JSON.stringify({
    compilerOptions: { strict: true, module: 'nodenext', moduleResolution: 'nodenext', target: 'es2022', noEmit: true },
    files: ['consumer.mts'],
  }));
  const tsc = fileURLToPath(new URL('../../tools/node_modules/typescript/bin/tsc', import.meta.url));
  execFileSync(process.execPath, [tsc, '-p', project], { stdio: 'inherit' });
});
