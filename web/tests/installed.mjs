// The package as a user gets it: its tarball installed, offline, into an
// empty project, and imported there by its name, through its exports.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

export function tarball() {
  const path = process.env.MOONFOLD_WEB_TARBALL;
  if (!path) throw new Error('MOONFOLD_WEB_TARBALL names the package tarball (build/wasm/moonfold-VERSION.tgz)');
  return resolve(path);
}

/** Installs the tarball into a new empty project; its folder. */
export function installProject() {
  const project = mkdtempSync(join(tmpdir(), 'moonfold-web-'));
  writeFileSync(join(project, 'package.json'), JSON.stringify({ name: 'user', private: true, type: 'module' }));
  execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--silent', tarball()], {
    cwd: project,
    stdio: ['ignore', 'ignore', 'inherit'],
  });
  // A module of the user's that takes the package by its name.
  writeFileSync(join(project, 'use.mjs'), "export * from 'moonfold';\n");
  return project;
}

/** The package, installed and initialised: its module namespace. */
export async function installed() {
  const project = installProject();
  const moonfold = await import(pathToFileURL(join(project, 'use.mjs')).href);
  await moonfold.init();
  return { moonfold, project };
}
